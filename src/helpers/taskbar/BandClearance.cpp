#include "helpers/taskbar/BandClearance.h"

#include <algorithm>

#include "system/StartButtonGeometry.h"

namespace tessaline {

TBandMove KeepBandClearOfButton(bool horizontalTaskbar,
                                const TRect& currentBand,
                                TBandMove proposed,
                                int hiddenStartEnd) {
    if (proposed.NoMove && proposed.NoSize) {
        return proposed;
    }
    const int x = proposed.NoMove ? currentBand.Left : proposed.X;
    const int y = proposed.NoMove ? currentBand.Top : proposed.Y;
    const int width = proposed.NoSize ? currentBand.Width() : proposed.Width;
    const int height = proposed.NoSize ? currentBand.Height() : proposed.Height;
    const int start = horizontalTaskbar ? x : y;
    if (start >= kStartButtonSize && start > hiddenStartEnd) {
        return proposed;
    }
    TBandMove kept{x, y, width, height, false, false};
    if (horizontalTaskbar) {
        kept.X = kStartButtonSize;
        kept.Width = std::max(x + width - kStartButtonSize, 0);
    } else {
        kept.Y = kStartButtonSize;
        kept.Height = std::max(y + height - kStartButtonSize, 0);
    }
    return kept;
}

TRect ButtonRoom(bool horizontalTaskbar, TSize taskbarClient, const TRect& band) {
    if (horizontalTaskbar) {
        return {0, 0, std::max(band.Left, 0), taskbarClient.Height};
    }
    return {0, 0, taskbarClient.Width, std::max(band.Top, 0)};
}

bool PaintNeedsButtonRefresh(const TRect& updateRect, const TRect& buttonRoom) {
    if (updateRect.Width() <= 0 || updateRect.Height() <= 0) {
        return false;
    }
    const bool inside = updateRect.Left >= buttonRoom.Left && updateRect.Top >= buttonRoom.Top &&
                        updateRect.Right <= buttonRoom.Right && updateRect.Bottom <= buttonRoom.Bottom;
    return !inside;
}

}  // namespace tessaline
