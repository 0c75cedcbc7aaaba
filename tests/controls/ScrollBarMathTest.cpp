// The scroll bar's arithmetic: enabling, clamping, thumb size and place, layout, flat colours, picture sizing.
#include "controls/ScrollBarMath.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace tessaline {
namespace {

TEST(ScrollBarMath, EnabledExactlyWhenTheRangeHoldsAPage) {
    struct Case {
        TScrollParams params;
        bool enabled;
    };
    for (auto [params, enabled] : {
             Case{{0, 100, 100, 0}, true}, Case{{0, 100, 101, 0}, false}, Case{{5, 5, 0, 5}, true},
             Case{{-10, 10, 21, 0}, false},
             Case{{INT_MIN, INT_MAX, INT_MAX, 0}, true},  // the range itself does not fit in 32 bits
         }) {
        EXPECT_EQ(ScrollBarEnabled(params), enabled) << params.Min << ".." << params.Max << " page " << params.PageSize;
        EXPECT_EQ(ScrollBarVisible(params, true, !enabled), enabled);
        EXPECT_FALSE(ScrollBarVisible(params, false, false));
    }
}

TEST(ScrollBarMath, ParametersAreClampedIntoOrder) {
    struct Case {
        TScrollParams requested;
        TScrollParams stored;
    };
    for (auto [requested, stored] : {
             Case{{0, 100, 10, 50}, {0, 100, 10, 50}},
             Case{{10, 5, 0, 7}, {10, 10, 0, 10}},   // Max below Min
             Case{{0, 100, -3, 0}, {0, 100, 0, 0}},  // negative page
             Case{{0, 100, 0, -5}, {0, 100, 0, 0}},
             Case{{0, 100, 0, 200}, {0, 100, 0, 100}},
         }) {
        EXPECT_EQ(ClampScrollParams(requested), stored);
    }
}

TEST(ScrollBarMath, RepaintOnlyWhenSomethingChanged) {
    TScrollParams current{0, 100, 10, 50};
    EXPECT_FALSE(ApplyScrollParams(current, {0, 100, 10, 50}));
    EXPECT_FALSE(ApplyScrollParams(current, {0, 100, 10, 50}));
    EXPECT_TRUE(ApplyScrollParams(current, {0, 100, 10, 500}));
    EXPECT_EQ(current.Position, 100);
    EXPECT_FALSE(ApplyScrollParams(current, {0, 100, 10, 900}));  // clamps to what is stored

    EXPECT_FALSE(ApplyScrollPosition(current, 1000));
    EXPECT_TRUE(ApplyScrollPosition(current, -4));
    EXPECT_EQ(current.Position, 0);
}

TEST(ScrollBarMath, MinimumThumbIsTheSlicesAlongTheBarOrTheConfiguredMinimum) {
    const std::vector<TSize> slices{{3, 4}, {5, 1}, {7, 4}};
    EXPECT_EQ(MinThumbLength(TScrollBarKind::Vertical, slices, 8), 9);
    EXPECT_EQ(MinThumbLength(TScrollBarKind::Horizontal, slices, 8), 15);
    EXPECT_EQ(MinThumbLength(TScrollBarKind::Vertical, slices, 20), 20);
    EXPECT_EQ(MinThumbLength(TScrollBarKind::Vertical, {}, 8), 8);
}

TEST(ScrollBarMath, ThumbLengthFollowsThePageShare) {
    struct Case {
        TScrollParams params;
        int track;
        int min;
        int thumb;
    };
    for (auto [params, track, min, thumb] : {
             Case{{0, 99, 0, 0}, 100, 8, 8},     // no page: the minimum
             Case{{0, 99, 10, 0}, 100, 8, 10},   // 100 * 10 / 100
             Case{{0, 2, 1, 0}, 100, 0, 33},     // 33.3
             Case{{0, 2, 2, 0}, 100, 0, 67},     // 66.7 rounds up
             Case{{0, 3, 2, 0}, 101, 0, 51},     // 50.5: halves round up
             Case{{0, 999, 1, 0}, 100, 12, 12},  // never below the minimum
             Case{{0, 10, 11, 0}, 100, 8, 0},    // disabled: no thumb
             Case{{INT_MIN, INT_MAX, INT_MAX, 0}, 200, 0, 100},
         }) {
        EXPECT_EQ(ThumbLength(params, track, min), thumb) << params.Max << " page " << params.PageSize;
    }
}

TEST(ScrollBarMath, ThumbTravelsTheTrackAcrossTheScrollableSpan) {
    struct Case {
        TScrollParams params;
        int64_t span;
        int offset;  // track from 16, 100 long, thumb 20
    };
    for (auto [params, span, offset] : {
             Case{{0, 99, 10, 0}, 90, 16},
             Case{{0, 99, 10, 45}, 90, 56},
             Case{{0, 99, 10, 90}, 90, 96},
             Case{{0, 99, 10, 99}, 90, 96},  // past the span the thumb stays at the end
             Case{{0, 2, 0, 1}, 2, 56},      // no page: the whole range
             Case{{0, 2, 0, 2}, 2, 96},
             Case{{0, 5, 6, 3}, 0, 16},  // span below 1: thumb at the start
             Case{{10, 13, 0, 11}, 3, 43},
             Case{{INT_MIN, INT_MAX, 0, INT_MAX}, 0xFFFFFFFFLL, 96},
             Case{{INT_MIN, INT_MAX, 0, 0}, 0xFFFFFFFFLL, 56},
         }) {
        EXPECT_EQ(ScrollSpan(params), span) << params.Min << ".." << params.Max << " page " << params.PageSize;
        EXPECT_EQ(ThumbOffset(params, 16, 100, 20), offset) << "position " << params.Position;
    }
}

TEST(ScrollBarMath, VerticalLayoutSplitsTheTrackAroundTheThumb) {
    const TScrollBarLayout layout =
        LayoutScrollBar(TScrollBarKind::Vertical, RectOf(10, 20, 17, 132), 16, {0, 99, 10, 45}, 8);
    EXPECT_EQ(layout.StartButton, RectOf(10, 20, 17, 16));
    EXPECT_EQ(layout.EndButton, RectOf(10, 136, 17, 16));
    EXPECT_EQ(layout.Track, RectOf(10, 36, 17, 100));
    ASSERT_TRUE(layout.ThumbShown);
    EXPECT_EQ(layout.Thumb, RectOf(10, 81, 17, 10));  // 16 + (100 - 10) * 45 / 90 = 61 below the top
    EXPECT_EQ(layout.TrackBefore, (TRect{10, 36, 27, 81}));
    EXPECT_EQ(layout.TrackAfter, (TRect{10, 91, 27, 136}));
}

TEST(ScrollBarMath, HorizontalLayoutRunsAlongTheWidth) {
    const TScrollBarLayout layout =
        LayoutScrollBar(TScrollBarKind::Horizontal, RectOf(0, 0, 140, 17), 20, {0, 9, 0, 9}, 10);
    EXPECT_EQ(layout.StartButton, RectOf(0, 0, 20, 17));
    EXPECT_EQ(layout.EndButton, RectOf(120, 0, 20, 17));
    ASSERT_TRUE(layout.ThumbShown);
    EXPECT_EQ(layout.Thumb, RectOf(110, 0, 10, 17));
    EXPECT_EQ(layout.TrackAfter.Width(), 0);
}

TEST(ScrollBarMath, NoThumbWhenTheBarIsTooShortOrDisabled) {
    // Two 16-pixel buttons and a 10-pixel thumb need 42 pixels.
    for (auto [height, shown] : {std::pair{41, false}, std::pair{42, true}}) {
        const TScrollBarLayout layout =
            LayoutScrollBar(TScrollBarKind::Vertical, RectOf(0, 0, 17, height), 16, {0, 99, 10, 0}, 10);
        EXPECT_EQ(layout.ThumbShown, shown) << height;
        EXPECT_EQ(layout.Thumb.Height(), shown ? 10 : 0) << height;
    }

    // Buttons share a bar shorter than two of them rather than overlap.
    const TScrollBarLayout tiny = LayoutScrollBar(TScrollBarKind::Vertical, RectOf(0, 0, 17, 20), 16, {}, 0);
    EXPECT_EQ(tiny.StartButton, RectOf(0, 0, 17, 10));
    EXPECT_EQ(tiny.EndButton, RectOf(0, 10, 17, 10));

    const TScrollBarLayout disabled =
        LayoutScrollBar(TScrollBarKind::Vertical, RectOf(0, 0, 17, 200), 16, {0, 5, 10, 0}, 10);
    EXPECT_FALSE(disabled.ThumbShown);
}

TEST(ScrollBarMath, FlatColoursStayInsideTheChannelRange) {
    EXPECT_EQ(LightenColor(RgbColor(10, 240, 255)), RgbColor(34, 255, 255));
    EXPECT_EQ(DarkenColor(RgbColor(10, 240, 30)), RgbColor(0, 216, 6));
    EXPECT_EQ(LightenColor(kColorNone), kColorWhite);  // only the three channels count

    const TColor a = RgbColor(200, 100, 0);
    const TColor b = RgbColor(0, 50, 255);
    EXPECT_EQ(MixColors(a, b, 255), a);
    EXPECT_EQ(MixColors(a, b, 0), b);
    EXPECT_EQ(MixColors(a, b, 128), RgbColor(100, 75, 127));
}

TEST(ScrollBarMath, MixWeightAboveTheScaleIsAProgrammingError) {
    const TColor a = RgbColor(200, 100, 0);
    // Debug builds stop at the assertion; release builds clamp the weight into the scale.
#ifdef NDEBUG
    EXPECT_EQ(MixColors(a, kColorBlack, 256), a);
    EXPECT_EQ(MixColors(a, kColorWhite, -1), kColorWhite);
#else
    EXPECT_DEATH(MixColors(a, kColorBlack, 256), "RdScrollBar");
#endif
}

TEST(ScrollBarMath, BitmapWithoutAreaReleasesItsSurfaceUnlessLocked) {
    TRdBitmap bitmap;
    bitmap.SetSize(4, 3);
    bitmap.Surface().Pixels[1 * 4 + 2] = 0xFF00FF00;

    bitmap.SetSize(3, 5);  // a real size keeps what was drawn where it still fits
    ASSERT_TRUE(bitmap.HasSurface());
    EXPECT_EQ(bitmap.Surface().Pixel(2, 1), 0xFF00FF00u);
    EXPECT_EQ(bitmap.Surface().Pixels.size(), 15u);

    bitmap.Lock();
    TPicture& held = bitmap.Surface();
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.HasSurface());  // the drawer's reference stays valid
    EXPECT_EQ(&bitmap.Surface(), &held);
    EXPECT_TRUE(held.Pixels.empty());
    bitmap.Unlock();

    bitmap.SetSize(7, -2);
    EXPECT_FALSE(bitmap.HasSurface());
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(bitmap.Height(), 0);
    bitmap.SetSize(-1, 4);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 4);
}

}  // namespace
}  // namespace tessaline
