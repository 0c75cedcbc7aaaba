#pragma once
// One look at the taskbars the desktop has: which one the Start button goes into, and whether its band can take
// it. Reads what Windows knows of the windows; sends nothing to them, so a hung taskbar hangs nothing. GUI thread.

#include <windows.h>

#include "app/TaskbarDockingLogic.h"

namespace tessaline {

// A shown taskbar with a shown band of some size, else the first shown taskbar; `button` is ours, to tell
// whether it still sits in that taskbar. Of several that can take the button, `current` (the one docked into) is
// kept, whatever their order on the screen. (Wine's desktop keeps a hidden taskbar of no size: never chosen.)
TTaskbarSurvey SurveyTaskbars(HWND button, HWND current = nullptr);

// The band of a taskbar, or null.
HWND BandOf(HWND taskbar);

inline HWND TaskbarWindow(uint64_t taskbar) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(taskbar));
}

}  // namespace tessaline
