#include "app/TaskbarSurveyWin.h"

#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

bool ShownWithSize(HWND window) {
    RECT rect{};
    return window != nullptr && IsWindowVisible(window) && GetWindowRect(window, &rect) && rect.right > rect.left &&
           rect.bottom > rect.top;
}

}  // namespace

HWND BandOf(HWND taskbar) {
    return taskbar != nullptr ? FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr) : nullptr;
}

TTaskbarSurvey SurveyTaskbars(HWND button) {
    HWND shown = nullptr;
    HWND dockable = nullptr;
    for (HWND taskbar = nullptr; (taskbar = FindWindowExW(nullptr, taskbar, kTaskbarClass, nullptr)) != nullptr;) {
        if (!ShownWithSize(taskbar)) {
            continue;
        }
        if (shown == nullptr) {
            shown = taskbar;
        }
        if (ShownWithSize(BandOf(taskbar))) {
            dockable = taskbar;
            break;
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
