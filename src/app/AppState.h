#pragma once
// Program-wide state of the main program's shell: the Start button and the watchdog. (Whether the menu shows is
// the start-menu window's own, v_Show_StartMenu.) GUI thread only.

#include "app/ExplorerWatchdogLogic.h"

namespace tessaline {

// A Windows-key toggle is being handled; a second one is ignored until it ends.
extern bool v_ToggleInProgress;
// 64-bit Windows: decides which hot-corner helper to start.
extern bool v_bit64windows;
// The taskbar side announced itself (WMStartMenuLoaded); start-up waits for it.
extern bool v_StartMenuLoaded;
extern TExplorerWatchdog v_ExplorerWatchdog;

}  // namespace tessaline
