#pragma once
// The program around the start-menu window: its start-up steps, the taskbar side's and the hot-corner helper's
// messages to the watchdog's state, the orderly end and the Start button. GUI thread.

#include "startmenu/StartMenuHost.h"

namespace tessaline {

// The one host of the program's start-menu window.
IStartMenuHost& ProgramStartMenuHost();

}  // namespace tessaline
