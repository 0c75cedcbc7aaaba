#include "helpers/taskbar/TaskbarSubclassWin.h"

#include <algorithm>

#include "base/Trace.h"
#include "helpers/taskbar/BandClearance.h"
#include "helpers/taskbar/OwnStartButtonWin.h"
#include "helpers/taskbar/TarnwickPlacement.h"
#include "helpers/taskbar/WindowPropertySubclassWin.h"
#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

// Bursts of relayouts and repaints come down to one refresh of the button picture, after the last of them.
constexpr UINT_PTR kRefreshTimerId = 0x7A27;
constexpr UINT kRefreshDelayMs = 50;
// While the button is docked the taskbar side looks this often whether the program still runs: one that ended
// without undocking (killed, crashed) gets the taskbar's own Start button back.
constexpr UINT_PTR kProgramWatchTimerId = 0x7A28;
constexpr UINT kProgramWatchMs = 250;
// The docked program's process (a handle that can be waited on), kept on the band.
constexpr wchar_t kProgramProcessProperty[] = L"Quorvan.Tarnwick.Program";

bool IsAttached(HWND band) {
    return GetPropW(band, kAttachedProperty) != nullptr;
}

void PostIfFound(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr) {
        PostMessageW(window, message, wParam, lParam);
    }
}

HWND FindStartMenu() {
    return FindWindowW(kStartMenuFormClass, kStartMenuFormCaption);
}

// Once docked the button is a child of the taskbar, where FindWindowW does not look.
HWND FindStartButton(HWND taskbar) {
    HWND button = taskbar != nullptr ? FindWindowExW(taskbar, nullptr, kStartButtonFormClass, nullptr) : nullptr;
    return button != nullptr ? button : FindWindowW(kStartButtonFormClass, nullptr);
}

void RequestButtonRefresh(HWND band) {
    if (GetPropW(band, kRefreshPendingProperty) != nullptr) {
        return;
    }
    if (SetTimer(band, kRefreshTimerId, kRefreshDelayMs, nullptr) != 0) {
        SetPropW(band, kRefreshPendingProperty, AsProperty(1));
    }
}

void RefreshButtonNow(HWND band) {
    KillTimer(band, kRefreshTimerId);
    RemovePropW(band, kRefreshPendingProperty);
    PostIfFound(FindStartButton(GetParent(band)), WMStartMenuRef, 0, 0);
}

TRect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TSize ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

TRect RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return ToRect(rect);
}

void ForgetProgram(HWND band) {
    KillTimer(band, kProgramWatchTimerId);
    if (HANDLE process = RemovePropW(band, kProgramProcessProperty)) {
        CloseHandle(process);
    }
}

// The program that sends WMTaskbarAttach owns the start-menu window.
void WatchProgram(HWND band) {
    ForgetProgram(band);
    DWORD processId = 0;
    if (HWND startMenu = FindStartMenu()) {
        GetWindowThreadProcessId(startMenu, &processId);
    }
    HANDLE process = processId != 0 ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    if (process == nullptr) {
        Trace(L"Tarnwick: the docked program cannot be watched: ", GetLastError());
        return;
    }
    if (!SetPropW(band, kProgramProcessProperty, process) ||
        SetTimer(band, kProgramWatchTimerId, kProgramWatchMs, nullptr) == 0) {
        RemovePropW(band, kProgramProcessProperty);
        CloseHandle(process);
    }
}

void Detach(HWND band) {
    RemovePropW(band, kAttachedProperty);
    ForgetProgram(band);
    ShowOwnStartButton(GetParent(band));
}

// The band where the taskbar had it beside its own Start button, which shows again: not over it.
void BandBesideOwnStartButton(HWND band) {
    HWND taskbar = GetParent(band);
    const bool horizontal = IsHorizontalTaskbar(ClientSize(taskbar));
    const int start = OwnStartButtonEnd(taskbar, horizontal);
    const TRect now = RectInParent(band);
    if (start <= (horizontal ? now.Left : now.Top)) {
        return;
    }
    if (horizontal) {
        SetWindowPos(band, nullptr, start, now.Top, std::max(now.Right - start, 0), now.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(band, nullptr, now.Left, start, now.Width(), std::max(now.Bottom - start, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CheckProgram(HWND band) {
    const HANDLE process = GetPropW(band, kProgramProcessProperty);
    if (process == nullptr || WaitForSingleObject(process, 0) != WAIT_TIMEOUT) {
        Trace(L"Tarnwick: the docked program ended without undocking");
        Detach(band);
        BandBesideOwnStartButton(band);
    }
}

void KeepClear(HWND band, WINDOWPOS* pos) {
    HWND taskbar = GetParent(band);
    if (taskbar == nullptr || pos == nullptr) {
        return;
    }
    const TBandMove proposed{
        pos->x, pos->y, pos->cx, pos->cy, (pos->flags & SWP_NOMOVE) != 0, (pos->flags & SWP_NOSIZE) != 0};
    const bool horizontal = IsHorizontalTaskbar(ClientSize(taskbar));
    const TBandMove kept =
        KeepBandClearOfButton(horizontal, RectInParent(band), proposed, HiddenOwnStartButtonEnd(taskbar, horizontal));
    if (kept == proposed) {
        return;
    }
    pos->x = kept.X;
    pos->y = kept.Y;
    pos->cx = kept.Width;
    pos->cy = kept.Height;
    pos->flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT CALLBACK BandProc(HWND band, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WMExplorerAlive:
                // lParam 0: the program's count of silent heartbeats starts again.
                PostIfFound(FindStartMenu(), WMExplorerAlive, 0, 0);
                return 0;
            case WMTaskbarAttach:
                if (wParam != 0) {
                    SetPropW(band, kAttachedProperty, AsProperty(1));
                    HideOwnStartButton(GetParent(band));
                    WatchProgram(band);
                    RequestButtonRefresh(band);
                } else {
                    Detach(band);
                }
                return 0;
            case WMSetHotCorners:
            case WMSetHotSidebar:
                PostIfFound(FindWindowW(kHotCornerHelperClass, kHotCornerHelperCaption), message, wParam, lParam);
                return 0;
            case WM_WINDOWPOSCHANGING:
                if (IsAttached(band)) {
                    KeepClear(band, reinterpret_cast<WINDOWPOS*>(lParam));
                }
                break;
            case WM_WINDOWPOSCHANGED: {
                const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
                const UINT still = SWP_NOMOVE | SWP_NOSIZE;
                if (pos != nullptr && IsAttached(band) && (pos->flags & still) != still) {
                    RequestButtonRefresh(band);
                }
                break;
            }
            case WM_TIMER:
                if (wParam == kRefreshTimerId) {
                    RefreshButtonNow(band);
                    return 0;
                }
                if (wParam == kProgramWatchTimerId) {
                    CheckProgram(band);
                    return 0;
                }
                break;
            case WM_NCDESTROY: {
                KillTimer(band, kRefreshTimerId);
                ForgetProgram(band);
                const LRESULT result = CallOriginal(band, kBandProcProperty, message, wParam, lParam);
                for (const wchar_t* property :
                     {kBandProcProperty, kPlacementProperty, kAttachedProperty, kRefreshPendingProperty}) {
                    RemovePropW(band, property);
                }
                return result;
            }
            default:
                break;
        }
    } catch (...) {
        // Never into the taskbar's own frames.
        Trace(L"Tarnwick: the band's procedure failed");
    }
    return CallOriginal(band, kBandProcProperty, message, wParam, lParam);
}

// The band of `taskbar` when this repaint reaches beyond the button's room while the button is docked.
HWND BandToRefreshAfterPaint(HWND taskbar) {
    HWND band = FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr);
    if (band == nullptr || !IsAttached(band)) {
        return nullptr;
    }
    RECT update{};
    if (!GetUpdateRect(taskbar, &update, FALSE)) {
        return nullptr;
    }
    const TSize client = ClientSize(taskbar);
    const TRect room = ButtonRoom(IsHorizontalTaskbar(client), client, RectInParent(band));
    return PaintNeedsButtonRefresh(ToRect(update), room) ? band : nullptr;
}

LRESULT CALLBACK TaskbarProc(HWND taskbar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        HWND band = nullptr;
        try {
            band = BandToRefreshAfterPaint(taskbar);  // before the paint validates the region
        } catch (...) {
            Trace(L"Tarnwick: looking at the taskbar's repaint failed");
        }
        const LRESULT result = CallOriginal(taskbar, kTaskbarProcProperty, message, wParam, lParam);
        if (band != nullptr) {
            RequestButtonRefresh(band);
        }
        return result;
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result = CallOriginal(taskbar, kTaskbarProcProperty, message, wParam, lParam);
        RemovePropW(taskbar, kTaskbarProcProperty);
        return result;
    }
    return CallOriginal(taskbar, kTaskbarProcProperty, message, wParam, lParam);
}

}  // namespace

bool PlaceInTaskbar(HWND taskbar, uint32_t generation) {
    try {
        HWND band = taskbar != nullptr ? FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr) : nullptr;
        const DWORD thread = GetCurrentThreadId();
        if (band == nullptr || GetWindowThreadProcessId(band, nullptr) != thread ||
            GetWindowThreadProcessId(taskbar, nullptr) != thread) {
            Trace(L"Tarnwick: no band of this thread");
            return false;
        }
        if (!SubclassOnce(band, kBandProcProperty, BandProc)) {
            Trace(L"Tarnwick: subclassing the band failed: ", GetLastError());
            return false;
        }
        // Without it only the refreshes after the taskbar's own repaints are missing.
        if (!SubclassOnce(taskbar, kTaskbarProcProperty, TaskbarProc)) {
            Trace(L"Tarnwick: subclassing the taskbar failed: ", GetLastError());
        }
        // A program that ended without undocking leaves no button behind: the next one attaches afresh.
        Detach(band);
        SetPropW(band, kPlacementProperty, AsProperty(generation));
        // The taskbar placed into: an answer from the side of an earlier taskbar is told apart.
        PostIfFound(FindStartMenu(), WMStartMenuLoaded, 0,
                    static_cast<LPARAM>(HandleToWire(reinterpret_cast<uintptr_t>(taskbar))));
        return true;
    } catch (...) {
        Trace(L"Tarnwick: placing into the taskbar failed");
        return false;
    }
}

}  // namespace tessaline
