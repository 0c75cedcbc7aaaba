#pragma once
// Where the Start button and the taskbar's band go when the button docks and undocks, and which part of the
// taskbar to repaint under the button. Screen rectangles in, rectangles in the taskbar's own coordinates out
// (the band and the button are children of the taskbar, so SetWindowPos wants those). Any thread.

#include "base/Geometry.h"

namespace tessaline {

inline constexpr int kStartButtonSize = 54;
// The button stands out 6 pixels above the taskbar's top (on a vertical taskbar too).
inline constexpr int kStartButtonTop = -6;
// Where the band goes back to when we leave, whatever it was at when we came.
inline constexpr int kUndockedBandOffset = 11;

// The numbers are what the rest of the program and the traces know the edges by.
enum class TTaskbarEdge { Bottom = 1, Left = 2, Top = 3, Right = 4 };

// The taskbar's edge, told from where its rectangle starts on its screen (the monitor's rectangle): at the
// screen's left but not its top is the bottom; at the top-left corner it is left when taller than wide and top
// when wider; at the top but not the left it is the right edge. Anything else counts as the bottom.
TTaskbarEdge TaskbarEdge(const TRect& taskbar, const TRect& screen);
inline bool IsHorizontalEdge(TTaskbarEdge edge) {
    return edge == TTaskbarEdge::Bottom || edge == TTaskbarEdge::Top;
}

struct TDocking {
    int BandOffset = 0;  // the band's distance from the taskbar's start edge as found ("HeightWidth")
    TRect Band;          // the band moved past the button, its far end kept
    TRect Button;
    friend bool operator==(const TDocking&, const TDocking&) = default;
};

// `taskbar` and `band` are screen rectangles taken just before docking.
TDocking DockStartButton(TTaskbarEdge edge, const TRect& taskbar, const TRect& band);

// The band given its room back: it starts kUndockedBandOffset from the taskbar's start edge and keeps its far
// end. Taken from the taskbar rather than from where the band is now, so undocking again (the watchdog does so
// every second while Explorer stays silent) leaves it where it is.
// `offset` replaces kUndockedBandOffset where the taskbar has a Start button of its own to make room for.
TRect UndockedBand(TTaskbarEdge edge, const TRect& taskbar, const TRect& band, int offset = kUndockedBandOffset);

// The part of the taskbar before the band, which holds the button: repainting it makes a new button picture
// show through the taskbar's own drawing.
TRect ButtonArea(TTaskbarEdge edge, const TRect& taskbar, const TRect& band);

}  // namespace tessaline
