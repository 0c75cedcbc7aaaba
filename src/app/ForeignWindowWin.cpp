#include "app/ForeignWindowWin.h"

#include "base/Trace.h"

namespace tessaline {
namespace {

bool OfThisThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

bool SendToForeignWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    const bool answered =
        window != nullptr && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                                 kForeignSendTimeoutMs, &answer) != 0;
    if (window != nullptr && !answered) {
        Trace(L"SendToForeignWindow: no answer to ", message, L" from ", reinterpret_cast<uintptr_t>(window), L": ",
              GetLastError());
    }
    return answered;
}

bool MoveForeignWindow(HWND window, int x, int y, int width, int height, UINT flags) {
    if (window == nullptr) {
        return false;
    }
    if (!OfThisThread(window)) {
        flags |= SWP_ASYNCWINDOWPOS;
    }
    return SetWindowPos(window, nullptr, x, y, width, height, flags) != FALSE;
}

void RedrawForeignWindow(HWND window, const RECT* rect, UINT flags) {
    if (window == nullptr) {
        return;
    }
    if (!OfThisThread(window)) {
        flags &= ~static_cast<UINT>(RDW_UPDATENOW | RDW_ERASENOW);
    }
    RedrawWindow(window, rect, nullptr, flags);
}

}  // namespace tessaline
