#include "system/StartButtonGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace tessaline {
namespace {

// A band squeezed below nothing by a tiny taskbar gets no size rather than a negative one.
TRect Sized(int left, int top, int width, int height) {
    return RectOf(left, top, std::max(width, 0), std::max(height, 0));
}

}  // namespace

TTaskbarEdge TaskbarEdge(const TRect& taskbar, const TRect& screen) {
    const int left = taskbar.Left - screen.Left;
    const int top = taskbar.Top - screen.Top;
    const int right = taskbar.Right - screen.Left;
    const int bottom = taskbar.Bottom - screen.Top;
    if (left == 0 && top != 0) {
        return TTaskbarEdge::Bottom;
    }
    if (left == 0 && top == 0 && bottom > right) {
        return TTaskbarEdge::Left;
    }
    if (left == 0 && top == 0 && bottom < right) {
        return TTaskbarEdge::Top;
    }
    if (left != 0 && top == 0) {
        return TTaskbarEdge::Right;
    }
    return TTaskbarEdge::Bottom;
}

TDocking DockStartButton(TTaskbarEdge edge, const TRect& taskbar, const TRect& band) {
    TDocking docking;
    if (IsHorizontalEdge(edge)) {
        docking.BandOffset = std::abs(taskbar.Left - band.Left);
        docking.Band = Sized(kStartButtonSize, 0, band.Right - taskbar.Left - kStartButtonSize, band.Height());
    } else {
        docking.BandOffset = std::abs(taskbar.Top - band.Top);
        docking.Band = Sized(0, kStartButtonSize, band.Width(), band.Bottom - taskbar.Top - kStartButtonSize);
    }
    docking.Button = RectOf(0, kStartButtonTop, kStartButtonSize, kStartButtonSize);
    return docking;
}

TRect UndockedBand(TTaskbarEdge edge, const TRect& taskbar, const TRect& band, int offset) {
    if (IsHorizontalEdge(edge)) {
        return Sized(offset, 0, band.Right - taskbar.Left - offset, band.Height());
    }
    return Sized(0, offset, band.Width(), band.Bottom - taskbar.Top - offset);
}

TRect ButtonArea(TTaskbarEdge edge, const TRect& taskbar, const TRect& band) {
    if (IsHorizontalEdge(edge)) {
        return Sized(0, 0, band.Left - taskbar.Left, taskbar.Height());
    }
    return Sized(0, 0, taskbar.Width(), band.Top - taskbar.Top);
}

}  // namespace tessaline
