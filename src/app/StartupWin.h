#pragma once
// The process-level steps of the start-menu window's creation: the keyboard hook, the deactivation handler,
// the taskbar side's start with the wait for it, the hot-corner helper and the taskbar watchdog. GUI thread.

#include <windows.h>

namespace tessaline {

class TZelStartMenuFrm;

// How often the start-up wait looks again while no message comes.
inline constexpr DWORD kStartupWaitPollMs = 500;

// Before the window's own set-up: the hook, the deactivation handler, and the first look at the taskbars, which
// starts the taskbar side when one can take the button. False when the program was told to end meanwhile.
bool StartMenuCreationBegin(TZelStartMenuFrm& form);
// After it: the wait for the taskbar side (done meanwhile, mostly) and the watchdog. False when the program was
// told to end during the wait: then nothing more is started.
bool StartMenuCreationEnd();

// IsWow64Process looked up by name: false when it is missing or fails. A 64-bit build runs on 64-bit Windows
// only, so there it is true without asking.
bool DetectBit64Windows();

// Dispatches every pending message, then waits up to `ms` for another (0: no wait). False, at once, when WM_QUIT
// came: it is taken from the queue and not dispatched.
bool DispatchPendingMessages(DWORD ms);

}  // namespace tessaline
