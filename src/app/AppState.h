#pragma once
// Program-wide state of the main program's shell, shared by its two windows and the watchdog. GUI thread only.

#include "app/ExplorerWatchdogLogic.h"

namespace tessaline {

// The start-menu window is showing.
extern bool v_Show_StartMenu;
// A Windows-key toggle is being handled; a second one is ignored until it ends.
extern bool v_ToggleInProgress;
// 64-bit Windows: decides which hot-corner helper to start.
extern bool v_bit64windows;
// The taskbar side announced itself (WMStartMenuLoaded); start-up waits for it.
extern bool v_StartMenuLoaded;
extern TExplorerWatchdog v_ExplorerWatchdog;

}  // namespace tessaline
