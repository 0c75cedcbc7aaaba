#pragma once
// What the taskbar side decides inside the taskbar while the Start button is docked: how a relayout of the band
// is kept clear of the button, and which repaints of the taskbar call for a fresh button picture. Rectangles in
// the taskbar's client coordinates (the band is its child). Any thread.

#include "base/Geometry.h"

namespace tessaline {

// One proposed move of the band, as WM_WINDOWPOSCHANGING carries it: a position or size flagged as unchanged
// is not meaningful and the band's current one applies.
struct TBandMove {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool NoMove = false;
    bool NoSize = false;
    friend bool operator==(const TBandMove&, const TBandMove&) = default;
};

// A taskbar wider than tall lies along the bottom or top edge, and its band runs from left to right.
inline bool IsHorizontalTaskbar(TSize taskbarClient) {
    return taskbarClient.Width >= taskbarClient.Height;
}

// A move that would start the band within the button's room (closer than the button's size to the taskbar's
// start edge) starts it just after the button instead and shortens it by as much, keeping its far end; the
// result then carries both position and size. Any other move is returned as it came.
// `hiddenStartEnd`: where the taskbar's own Start button ends (x or y; 0 when it has none, or it shows). The
// taskbar lays the band out after that button even while it is hidden; the band takes its room as well, from
// just after ours, so that no gap is left where the hidden button was.
TBandMove KeepBandClearOfButton(bool horizontalTaskbar,
                                const TRect& currentBand,
                                TBandMove proposed,
                                int hiddenStartEnd = 0);

// The part of the taskbar before the band, where the button sits.
TRect ButtonRoom(bool horizontalTaskbar, TSize taskbarClient, const TRect& band);

// The button redraws itself by repainting exactly its room of the taskbar. Refreshing the picture on that
// repaint would start it again forever, so only a repaint reaching beyond the room asks for a refresh.
bool PaintNeedsButtonRefresh(const TRect& updateRect, const TRect& buttonRoom);

}  // namespace tessaline
