#pragma once
// The taskbar watchdog's timer: a heartbeat to the taskbar's band every second; after ten silent ones the
// taskbar is given its room back and the taskbar side is restarted. GUI thread only.

#include <windows.h>

namespace tessaline {

inline constexpr UINT kExplorerWatchdogMs = 1000;

// A thread timer (no window) dispatched by the message loop.
void StartExplorerWatchdog();
void StopExplorerWatchdog();

VOID CALLBACK ExplorerWatchdog(HWND window, UINT message, UINT_PTR id, DWORD time);

}  // namespace tessaline
