#pragma once
// The skinned scroll bar's arithmetic: enabled state, parameter clamping, thumb size and place, the layout of
// buttons, track and thumb, the flat colours, and the sizing rule of its picture class. Plain values in and
// out; any thread.

#include <cstdint>
#include <memory>
#include <span>

#include "base/Geometry.h"
#include "controls/Font.h"
#include "controls/Picture.h"

namespace tessaline {

enum class TScrollBarKind { Horizontal, Vertical };

struct TScrollParams {
    int Min = 0;
    int Max = 100;
    int PageSize = 0;
    int Position = 0;
    friend bool operator==(const TScrollParams&, const TScrollParams&) = default;
};

// Enabled exactly when the range holds at least one page.
bool ScrollBarEnabled(const TScrollParams& params);
// An auto-hiding bar shows exactly when it is enabled; any other bar keeps the visibility it was given.
bool ScrollBarVisible(const TScrollParams& params, bool autoHide, bool visible);

// Max >= Min, PageSize >= 0, Min <= Position <= Max.
TScrollParams ClampScrollParams(TScrollParams params);
int ClampScrollPosition(const TScrollParams& params, int position);
// Store the clamped request; true when anything changed, which is the only case that needs a repaint.
bool ApplyScrollParams(TScrollParams& current, const TScrollParams& requested);
bool ApplyScrollPosition(TScrollParams& current, int position);

// The thumb slices' summed lengths along the bar (start, middle, end), never below the configured minimum.
int MinThumbLength(TScrollBarKind kind, std::span<const TSize> slices, int configuredMin);
int ThumbLength(const TScrollParams& params, int trackLength, int minThumb);
// How far the position can travel while the thumb moves; below 1 the thumb stays at the track start. The range
// of two 32-bit ints needs 64 bits.
int64_t ScrollSpan(const TScrollParams& params);
int ThumbOffset(const TScrollParams& params, int trackStart, int trackLength, int thumbLength);
// Both buttons and the thumb must fit in the bar's length, else no thumb is laid out.
bool ThumbFits(int barLength, int buttonLength, int thumbLength);

struct TScrollBarLayout {
    TRect StartButton;  // top or left arrow
    TRect EndButton;
    TRect Track;  // between the buttons
    TRect Thumb;  // empty when no thumb is laid out
    TRect TrackBefore;
    TRect TrackAfter;
    bool ThumbShown = false;
};

// Buttons take buttonLength along the bar (half the bar each when it is shorter than two) and its whole
// thickness.
TScrollBarLayout LayoutScrollBar(TScrollBarKind kind,
                                 const TRect& bounds,
                                 int buttonLength,
                                 const TScrollParams& params,
                                 int minThumb);

// Flat drawing: each channel moved by 24, clamped to 0..255.
TColor LightenColor(TColor color);
TColor DarkenColor(TColor color);
// weight/255 of `a` and the rest of `b`, per channel. A weight outside 0..255 is a caller's fault: asserted in
// debug builds, clamped otherwise.
TColor MixColors(TColor a, TColor b, int weight);

// The bar's picture: a size with no area releases the drawing surface unless someone holds it locked (it is
// then kept, shrunk to nothing); negative sizes count as 0. A surface made later has the current size.
class TRdBitmap {
  public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    bool HasSurface() const { return surface_ != nullptr; }
    // Made on first use, cleared to transparent; keeps the overlapping pixels across size changes.
    TPicture& Surface();

    // Counted: a surface in use by a drawer must survive a size change.
    void Lock() { ++locks_; }
    void Unlock();
    bool Locked() const { return locks_ > 0; }

  private:
    int width_ = 0;
    int height_ = 0;
    int locks_ = 0;
    std::unique_ptr<TPicture> surface_;
};

}  // namespace tessaline
