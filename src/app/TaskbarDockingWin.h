#pragma once
// The Start button's way into the taskbar, carried out (the decisions: TaskbarDockingLogic.h): the looks at the
// taskbars, the taskbar side started for each new taskbar, the dock, the menu closed when its taskbar went, and
// the end when no taskbar can take the button. GUI thread only.

#include <windows.h>

#include "app/TaskbarDockingLogic.h"

namespace tessaline {

extern TTaskbarDocking v_TaskbarDocking;

// Start-up, before the start-menu window's own set-up: the first look, which starts the taskbar side when a
// taskbar can take the button.
void BeginDocking();
// Start-up, after that set-up: handles messages while the taskbar side is being placed (its tries are bounded)
// and wakes as soon as it answers. False when the program was told to end meanwhile.
bool WaitForTaskbarSide();
// The Start button window exists: it docks now if the way in got that far; otherwise the program keeps looking
// (every kTaskbarSurveyMs, and on "TaskbarCreated").
void StartButtonReady();

// "TaskbarCreated", broadcast by a new taskbar; WMStartMenuLoaded with its lParam.
void TaskbarCreated();
void TaskbarSideLoaded(LPARAM lParam);
// Each watchdog tick looks too. True when the button is docked (or the watchdog undocked it): only then do the
// heartbeats count.
bool WatchdogLook();
void WatchdogUndocked();
// The taskbar the button is docked into (or being placed into); null when none.
HWND DockingTaskbar();

// The program ends: nothing more is looked at or started.
void StopDocking();

// A test build's scenarios wait less than 30 s for a band that never comes (the bound itself is tested apart).
void SetNoDockableBandBoundForTest(uint32_t ms);

}  // namespace tessaline
