#include "app/TaskbarSurveyWin.h"

#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

bool ShownWithSize(HWND window) {
    RECT rect{};
    return window != nullptr && IsWindowVisible(window) && GetWindowRect(window, &rect) && rect.right > rect.left &&
           rect.bottom > rect.top;
}

// Still a taskbar: a window's handle may be another window's once it is gone.
bool IsTaskbarWindow(HWND window) {
    wchar_t name[32] = {};
    return window != nullptr && GetClassNameW(window, name, 32) > 0 && lstrcmpiW(name, kTaskbarClass) == 0;
}

}  // namespace

HWND BandOf(HWND taskbar) {
    return taskbar != nullptr ? FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr) : nullptr;
}

TTaskbarSurvey SurveyTaskbars(HWND button, HWND current) {
    HWND shown = nullptr;
    HWND dockable =
        IsTaskbarWindow(current) && ShownWithSize(current) && ShownWithSize(BandOf(current)) ? current : nullptr;
    for (HWND taskbar = nullptr;
         dockable == nullptr && (taskbar = FindWindowExW(nullptr, taskbar, kTaskbarClass, nullptr)) != nullptr;) {
        if (!ShownWithSize(taskbar)) {
            continue;
        }
        if (shown == nullptr) {
            shown = taskbar;
        }
        if (ShownWithSize(BandOf(taskbar))) {
            dockable = taskbar;
        }
    }
    HWND chosen = dockable != nullptr ? dockable : shown;
    TTaskbarSurvey survey;
    survey.Taskbar = reinterpret_cast<uintptr_t>(chosen);
    survey.DockableBand = dockable != nullptr;
    // The button keeps its popup style in the taskbar, so GetParent would answer its owner.
    survey.ButtonInside =
        chosen != nullptr && button != nullptr && IsWindow(button) && GetAncestor(button, GA_PARENT) == chosen;
    return survey;
}

}  // namespace tessaline
