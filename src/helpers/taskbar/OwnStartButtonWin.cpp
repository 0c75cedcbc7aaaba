#include "helpers/taskbar/OwnStartButtonWin.h"

#include "base/Trace.h"
#include "helpers/taskbar/WindowPropertySubclassWin.h"
#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

constexpr wchar_t kStartProcProperty[] = L"Quorvan.Tarnwick.StartProc";
// Set while ours is docked: the own button is to stay hidden.
constexpr wchar_t kStartHiddenProperty[] = L"Quorvan.Tarnwick.StartHidden";

bool KeptHidden(HWND start) {
    return GetPropW(start, kStartHiddenProperty) != nullptr;
}

LRESULT CALLBACK StartProc(HWND start, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (KeptHidden(start)) {
            switch (message) {
                case WM_WINDOWPOSCHANGING:
                    // The taskbar's layout shows it with its move: the move may go on, the showing may not.
                    if (auto* pos = reinterpret_cast<WINDOWPOS*>(lParam)) {
                        pos->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
                    }
                    break;
                case WM_WINDOWPOSCHANGED:
                    // Shown by a way the move did not carry (its style set directly): hidden again at once.
                    if (IsWindowVisible(start)) {
                        ShowWindow(start, SW_HIDE);
                    }
                    break;
                case WM_STYLECHANGING:
                    if (wParam == static_cast<WPARAM>(GWL_STYLE) && lParam != 0) {
                        reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew &= ~static_cast<DWORD>(WS_VISIBLE);
                    }
                    break;
                case WM_NCHITTEST:
                    return HTTRANSPARENT;
                default:
                    break;
            }
        }
        if (message == WM_NCDESTROY) {
            const LRESULT result = CallOriginal(start, kStartProcProperty, message, wParam, lParam);
            RemovePropW(start, kStartProcProperty);
            RemovePropW(start, kStartHiddenProperty);
            return result;
        }
    } catch (...) {
        Trace(L"Tarnwick: the own Start button's procedure failed");
    }
    return CallOriginal(start, kStartProcProperty, message, wParam, lParam);
}

HWND OwnStartButton(HWND taskbar) {
    return taskbar != nullptr ? FindWindowExW(taskbar, nullptr, kOwnStartButtonClass, nullptr) : nullptr;
}

}  // namespace

void HideOwnStartButton(HWND taskbar) {
    HWND start = OwnStartButton(taskbar);
    if (start == nullptr) {
        return;
    }
    if (!SubclassOnce(start, kStartProcProperty, StartProc)) {
        Trace(L"Tarnwick: subclassing the own Start button failed: ", GetLastError());
    }
    SetPropW(start, kStartHiddenProperty, AsProperty(1));
    ShowWindow(start, SW_HIDE);
}

int HiddenOwnStartButtonEnd(HWND taskbar, bool horizontalTaskbar) {
    HWND start = OwnStartButton(taskbar);
    return start != nullptr && KeptHidden(start) ? OwnStartButtonEnd(taskbar, horizontalTaskbar) : 0;
}

int OwnStartButtonEnd(HWND taskbar, bool horizontalTaskbar) {
    HWND start = OwnStartButton(taskbar);
    if (start == nullptr) {
        return 0;
    }
    RECT rect{};
    GetWindowRect(start, &rect);
    MapWindowPoints(HWND_DESKTOP, taskbar, reinterpret_cast<POINT*>(&rect), 2);
    return horizontalTaskbar ? rect.right : rect.bottom;
}

void ShowOwnStartButton(HWND taskbar) {
    HWND start = OwnStartButton(taskbar);
    if (start == nullptr || !KeptHidden(start)) {
        return;
    }
    RemovePropW(start, kStartHiddenProperty);
    ShowWindow(start, SW_SHOWNA);
}

}  // namespace tessaline
