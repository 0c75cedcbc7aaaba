#pragma once
// Calls into windows of other processes: the taskbar and its band (Explorer's) and the helpers' windows. Such a
// process may hang, and the program must not hang with it, so none of these waits for long. GUI thread.

#include <windows.h>

namespace tessaline {

// How long a message sent to another process's window is waited for.
inline constexpr UINT kForeignSendTimeoutMs = 300;

// SendMessageTimeoutW that gives up after kForeignSendTimeoutMs, or at once when the window is hung (it has not
// read its messages for a while). False (traced) when the window did not answer.
bool SendToForeignWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// SetWindowPos that, for another thread's window, hands the move to that thread instead of waiting for it
// (SWP_ASYNCWINDOWPOS): the window moves once its thread reads its messages.
bool MoveForeignWindow(HWND window, int x, int y, int width, int height, UINT flags);

// RedrawWindow without waiting for another thread's painting: for such a window RDW_UPDATENOW and RDW_ERASENOW are
// left out, and it repaints when its thread next reads its messages.
void RedrawForeignWindow(HWND window, const RECT* rect, UINT flags);

}  // namespace tessaline
