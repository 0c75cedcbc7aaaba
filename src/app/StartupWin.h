#pragma once
// The process-level steps of the start-menu window's creation: the keyboard hook, the deactivation handler,
// the taskbar side's start with the wait for it, the hot-corner helper and the taskbar watchdog. GUI thread.

#include <windows.h>

namespace tessaline {

class TZelStartMenuFrm;

// How long start-up waits for WMStartMenuLoaded before it goes on without the taskbar side.
inline constexpr DWORD kStartupWaitLimitMs = 15000;
inline constexpr DWORD kStartupWaitPollMs = 500;

// Before the window's own set-up: ends once the taskbar side answered (or the wait gave up). False when the
// program was told to end meanwhile (WM_QUIT, or Terminate from a handler): then nothing more is started.
bool StartMenuCreationBegin(TZelStartMenuFrm& form);
// After it: the watchdog starts.
void StartMenuCreationEnd();

// IsWow64Process looked up by name: false when it is missing or fails. A 64-bit build runs on 64-bit Windows
// only, so there it is true without asking.
bool DetectBit64Windows();

// Dispatches every pending message, then waits up to `ms` for another (the start-up wait's poll). False, at once,
// when WM_QUIT came: it is taken from the queue and not dispatched.
bool DispatchPendingMessages(DWORD ms);

}  // namespace tessaline
