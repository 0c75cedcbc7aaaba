#include "controls/ScrollBarMath.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace tessaline {
namespace {

constexpr int kFlatStep = 24;

int64_t Range(const TScrollParams& params) {
    return static_cast<int64_t>(params.Max) - params.Min;
}

// Nearest integer, halves away from zero; d > 0. Works on the remainder so that n near the int64 limit
// cannot overflow.
int64_t RoundDiv(int64_t n, int64_t d) {
    int64_t q = n / d;
    const int64_t r = n % d;
    if (2 * (r < 0 ? -r : r) >= d) {
        q += n < 0 ? -1 : 1;
    }
    return q;
}

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int ClampChannel(int value) {
    return std::clamp(value, 0, 255);
}

TColor ShiftChannels(TColor color, int delta) {
    return RgbColor(ClampChannel(RedOf(color) + delta), ClampChannel(GreenOf(color) + delta),
                    ClampChannel(BlueOf(color) + delta));
}

void ResizeKeepingPixels(TPicture& picture, int width, int height) {
    if (picture.Width == width && picture.Height == height) {
        return;
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    const int keepWidth = std::min(width, picture.Width);
    const int keepHeight = std::min(height, picture.Height);
    for (int y = 0; y < keepHeight; ++y) {
        const auto from = picture.Pixels.begin() + static_cast<ptrdiff_t>(y) * picture.Width;
        std::copy(from, from + keepWidth, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    picture.Width = width;
    picture.Height = height;
    picture.Pixels = std::move(pixels);
}

}  // namespace

bool ScrollBarEnabled(const TScrollParams& params) {
    return Range(params) >= params.PageSize;
}

bool ScrollBarVisible(const TScrollParams& params, bool autoHide, bool visible) {
    return autoHide ? ScrollBarEnabled(params) : visible;
}

TScrollParams ClampScrollParams(TScrollParams params) {
    params.Max = std::max(params.Max, params.Min);
    params.PageSize = std::max(params.PageSize, 0);
    params.Position = std::clamp(params.Position, params.Min, params.Max);
    return params;
}

int ClampScrollPosition(const TScrollParams& params, int position) {
    // Max may still be below Min when the parameters were never clamped; Min wins then.
    return std::max(std::min(position, params.Max), params.Min);
}

bool ApplyScrollParams(TScrollParams& current, const TScrollParams& requested) {
    const TScrollParams clamped = ClampScrollParams(requested);
    if (clamped == current) {
        return false;
    }
    current = clamped;
    return true;
}

bool ApplyScrollPosition(TScrollParams& current, int position) {
    const int clamped = ClampScrollPosition(current, position);
    if (clamped == current.Position) {
        return false;
    }
    current.Position = clamped;
    return true;
}

int MinThumbLength(TScrollBarKind kind, std::span<const TSize> slices, int configuredMin) {
    int64_t sum = 0;
    for (const TSize& slice : slices) {
        sum += std::max(kind == TScrollBarKind::Vertical ? slice.Height : slice.Width, 0);
    }
    return ClampToInt(std::max<int64_t>(sum, configuredMin));
}

int ThumbLength(const TScrollParams& params, int trackLength, int minThumb) {
    if (params.PageSize == 0) {
        return minThumb;
    }
    const int64_t range = Range(params);
    if (!ScrollBarEnabled(params) || params.PageSize > range) {
        return 0;
    }
    const int64_t length = RoundDiv(static_cast<int64_t>(std::max(trackLength, 0)) * params.PageSize, range + 1);
    return ClampToInt(std::max<int64_t>(length, minThumb));
}

int64_t ScrollSpan(const TScrollParams& params) {
    const int64_t range = Range(params);
    return std::min(range, range - params.PageSize + 1);
}

int ThumbOffset(const TScrollParams& params, int trackStart, int trackLength, int thumbLength) {
    const int64_t span = ScrollSpan(params);
    if (span < 1) {
        return trackStart;
    }
    // Both lengths kept non-negative so the product stays below 2^63.
    const int64_t room = static_cast<int64_t>(std::max(trackLength, 0)) - std::max(thumbLength, 0);
    const int64_t travelled = std::clamp<int64_t>(static_cast<int64_t>(params.Position) - params.Min, 0, span);
    return ClampToInt(trackStart + RoundDiv(room * travelled, span));
}

bool ThumbFits(int barLength, int buttonLength, int thumbLength) {
    return 2 * static_cast<int64_t>(buttonLength) + thumbLength <= barLength;
}

TScrollBarLayout LayoutScrollBar(TScrollBarKind kind,
                                 const TRect& bounds,
                                 int buttonLength,
                                 const TScrollParams& params,
                                 int minThumb) {
    const bool vertical = kind == TScrollBarKind::Vertical;
    const int length = std::max(vertical ? bounds.Height() : bounds.Width(), 0);
    const int button = std::clamp(buttonLength, 0, length / 2);
    // A piece of the bar from `from` to `to` along it, across its whole thickness.
    auto along = [&](int from, int to) {
        return vertical ? TRect{bounds.Left, bounds.Top + from, bounds.Right, bounds.Top + to}
                        : TRect{bounds.Left + from, bounds.Top, bounds.Left + to, bounds.Bottom};
    };

    TScrollBarLayout layout;
    layout.StartButton = along(0, button);
    layout.EndButton = along(length - button, length);
    layout.Track = along(button, length - button);
    const int trackLength = length - 2 * button;
    const int thumb = ThumbLength(params, trackLength, minThumb);
    if (thumb <= 0 || !ThumbFits(length, button, thumb)) {
        return layout;
    }
    const int offset = ThumbOffset(params, button, trackLength, thumb);
    layout.ThumbShown = true;
    layout.Thumb = along(offset, offset + thumb);
    layout.TrackBefore = along(button, offset);
    layout.TrackAfter = along(offset + thumb, length - button);
    return layout;
}

TColor LightenColor(TColor color) {
    return ShiftChannels(color, kFlatStep);
}

TColor DarkenColor(TColor color) {
    return ShiftChannels(color, -kFlatStep);
}

TColor MixColors(TColor a, TColor b, int weight) {
    assert(weight >= 0 && weight < 256 && "RdScrollBar: mix weight must be 0..255");
    const int w = std::clamp(weight, 0, 255);
    auto mix = [w](int x, int y) { return (x * w + y * (255 - w) + 127) / 255; };
    return RgbColor(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

void TRdBitmap::SetSize(int width, int height) {
    if ((width <= 0 || height <= 0) && !Locked()) {
        surface_.reset();
    }
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (surface_ != nullptr) {
        ResizeKeepingPixels(*surface_, width_, height_);
    }
}

TPicture& TRdBitmap::Surface() {
    if (surface_ == nullptr) {
        surface_ = std::make_unique<TPicture>();
        surface_->HasAlpha = true;
        ResizeKeepingPixels(*surface_, width_, height_);
    }
    return *surface_;
}

void TRdBitmap::Unlock() {
    assert(locks_ > 0 && "RdScrollBar: TRdBitmap unlocked more often than locked");
    if (locks_ > 0) {
        --locks_;
    }
}

}  // namespace tessaline
