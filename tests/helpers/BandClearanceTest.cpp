// Keeping the band clear of the docked Start button, and which taskbar repaints refresh the button's picture.
#include "helpers/taskbar/BandClearance.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

constexpr bool kHorizontal = true;
constexpr bool kVertical = false;

TEST(BandClearance, RelayoutIntoTheButtonsRoomStartsAfterItAndKeepsTheFarEnd) {
    struct Case {
        const char* what;
        bool horizontal;
        TRect current;
        TBandMove proposed;
        TBandMove expected;
    };
    const TRect band{54, 0, 600, 30};
    const TRect vband{0, 54, 60, 700};
    for (const Case& c : {
             Case{"to the start", kHorizontal, band, {0, 0, 600, 30}, {54, 0, 546, 30}},
             Case{"a little in", kHorizontal, band, {20, 2, 500, 28}, {54, 2, 466, 28}},
             Case{"at the button's edge", kHorizontal, band, {54, 0, 546, 30}, {54, 0, 546, 30}},
             Case{"beyond", kHorizontal, band, {80, 0, 400, 30}, {80, 0, 400, 30}},
             Case{"narrower than the room", kHorizontal, band, {10, 0, 20, 30}, {54, 0, 0, 30}},
             Case{"y does not matter across", kHorizontal, band, {60, 0, 540, 30}, {60, 0, 540, 30}},
             Case{"vertical to the top", kVertical, vband, {0, 0, 60, 700}, {0, 54, 60, 646}},
             Case{"x does not matter down", kVertical, vband, {0, 60, 60, 640}, {0, 60, 60, 640}},
             // Size only: the band stays where it is, and it already sits clear.
             Case{"size only, clear", kHorizontal, band, {0, 0, 300, 30, true, false}, {0, 0, 300, 30, true, false}},
             // Size only while it sits in the room: now it must move, so the move is no longer flagged away.
             Case{"size only, inside", kHorizontal, {0, 0, 600, 30}, {7, 7, 500, 30, true, false}, {54, 0, 446, 30}},
             Case{"move only, inside", kHorizontal, {54, 0, 600, 30}, {0, 0, 9, 9, false, true}, {54, 0, 492, 30}},
             Case{"neither", kHorizontal, {0, 0, 600, 30}, {0, 0, 0, 0, true, true}, {0, 0, 0, 0, true, true}},
         }) {
        EXPECT_EQ(KeepBandClearOfButton(c.horizontal, c.current, c.proposed), c.expected) << c.what;
    }
}

TEST(BandClearance, TheRoomOfTheTaskbarsHiddenStartButtonIsTakenAsWell) {
    const TRect band{54, 0, 600, 30};
    // The taskbar's own layout starts the band right after its own button (60 wide), hidden or not.
    EXPECT_EQ(KeepBandClearOfButton(kHorizontal, band, {60, 0, 540, 30}, 60), (TBandMove{54, 0, 546, 30}));
    EXPECT_EQ(KeepBandClearOfButton(kVertical, {0, 54, 60, 700}, {0, 72, 60, 628}, 72), (TBandMove{0, 54, 60, 646}));
    // Further on, the band is where the taskbar wants it.
    EXPECT_EQ(KeepBandClearOfButton(kHorizontal, band, {61, 0, 539, 30}, 60), (TBandMove{61, 0, 539, 30}));
    // A narrower button of its own (48): ours needs more room, as without one.
    EXPECT_EQ(KeepBandClearOfButton(kHorizontal, band, {48, 0, 552, 30}, 48), (TBandMove{54, 0, 546, 30}));
    // Shown again (0): its room is its own.
    EXPECT_EQ(KeepBandClearOfButton(kHorizontal, band, {60, 0, 540, 30}, 0), (TBandMove{60, 0, 540, 30}));
}

TEST(BandClearance, OnlyRepaintsBeyondTheButtonsRoomRefreshTheButton) {
    struct Case {
        const char* what;
        bool horizontal;
        TRect update;
        bool refresh;
    };
    for (const Case& c : {
             // What the button's own redraw invalidates: refreshing then would never stop.
             Case{"the button's redraw", kHorizontal, {0, 0, 54, 40}, false},
             Case{"part of the room", kHorizontal, {10, 5, 40, 30}, false},
             Case{"nothing", kHorizontal, {0, 0, 0, 0}, false},
             Case{"the whole taskbar", kHorizontal, {0, 0, 1280, 40}, true},
             Case{"the band only", kHorizontal, {54, 0, 300, 40}, true},
             Case{"across the edge", kHorizontal, {40, 0, 60, 40}, true},
             Case{"vertical, the button's redraw", kVertical, {0, 0, 60, 54}, false},
             Case{"vertical, the whole taskbar", kVertical, {0, 0, 60, 800}, true},
         }) {
        const TSize client = c.horizontal ? TSize{1280, 40} : TSize{60, 800};
        const TRect band = c.horizontal ? TRect{54, 0, 1200, 40} : TRect{0, 54, 60, 760};
        EXPECT_EQ(PaintNeedsButtonRefresh(c.update, ButtonRoom(c.horizontal, client, band)), c.refresh) << c.what;
    }
}

}  // namespace
}  // namespace tessaline
