#pragma once
// WM_MOUSELEAVE for a window the mouse has just moved over. Windows build only.

#include <windows.h>

namespace tessaline {

// Asks for one WM_MOUSELEAVE to `window` unless `tracking` says it is asked for already; keeps `tracking` true
// until the window clears it on WM_MOUSELEAVE.
inline void TrackMouseLeave(HWND window, bool& tracking) {
    if (!tracking) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window;
        tracking = TrackMouseEvent(&track) != FALSE;
    }
}

}  // namespace tessaline
