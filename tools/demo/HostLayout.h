#pragma once
// The demo taskbar host's options and geometry: where the taskbar, its band and the band's task buttons go.
// Pure; any thread.

#include <optional>
#include <string>
#include <vector>

#include "base/Geometry.h"

namespace tessaline::demo {

enum class THostEdge { Bottom, Left, Top };

struct THostOptions {
    THostEdge Edge = THostEdge::Bottom;
    int Thickness = 40;
    std::optional<int> Length;  // along the edge; the screen's width or height when not given
    int Offset = 60;            // the band's distance from the taskbar's start edge
    std::wstring ReadyFile;
    std::wstring MessageLog;  // every private message the band gets, one line each: "message wParam lParam"
    // The desktop's work area while the host runs: by default the screen less the taskbar, as Explorer keeps
    // it; a height puts its bottom there (a bottom taskbar on a shorter screen); "none" leaves the whole screen
    // (an auto-hidden taskbar).
    std::optional<int> WorkAreaHeight;
    bool WorkAreaWholeScreen = false;
    // The band as Explorer's taskbars have it (shown), hidden (as a taskbar that draws its buttons itself) or
    // missing (a shell without one).
    enum class TBand { Shown, Hidden, None } Band = TBand::Shown;
    // A Start button of the taskbar's own (Windows 8.1 and 10): a child window of class "Start" before the band.
    bool StartButton = false;
    // "TaskbarCreated" broadcast once the taskbar is made, as Explorer does. Asked for: Wine's own desktop
    // process hears it too and reads the session's work area again, which the work-area scenarios must not have.
    bool Broadcast = false;
};

struct THostOptionsResult {
    THostOptions Options;
    std::wstring Error;  // empty when the arguments were understood
};

// Arguments after the program name: --edge bottom|left|top, --thickness N, --length N, --offset N,
// --ready-file PATH, --message-log PATH, --work-area HEIGHT|none, --band shown|hidden|none, and the switches
// --start-button and --broadcast.
THostOptionsResult ParseHostOptions(const std::vector<std::wstring>& args);

inline bool IsVertical(THostEdge edge) {
    return edge == THostEdge::Left;
}

// The taskbar's screen rectangle on a screen of the given size.
TRect TaskbarRect(const THostOptions& options, TSize screen);

// The work area the host sets on a screen of the given size.
TRect HostWorkArea(const THostOptions& options, TSize screen);

// The band in the taskbar's client coordinates: from `offset` to the far end, the whole thickness. Never
// negative in size.
TRect BandRect(THostEdge edge, TSize taskbar, int offset);

// The taskbar's own Start button in its client coordinates: the room before the band.
TRect OwnStartButtonRect(THostEdge edge, TSize taskbar, int offset);

// The demo's task buttons in the band's client coordinates, in order; as many as fit of `count`.
std::vector<TRect> TaskButtonRects(THostEdge edge, TSize band, int count);

}  // namespace tessaline::demo
