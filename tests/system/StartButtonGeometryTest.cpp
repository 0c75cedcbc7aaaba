// Docking arithmetic: the taskbar's edge, where the band and the button go, the undocked band, the repaint area.
#include "system/StartButtonGeometry.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

const TRect kScreen{0, 0, 1920, 1080};
const TRect kBottomBar{0, 1040, 1920, 1080};
const TRect kLeftBar{0, 0, 62, 1080};
const TRect kTopBar{0, 0, 1920, 40};
const TRect kRightBar{1858, 0, 1920, 1080};

// Where a rectangle in the taskbar lies on the screen.
TRect ToScreen(const TRect& inTaskbar, const TRect& taskbar) {
    return inTaskbar.Offset(taskbar.Left, taskbar.Top);
}

TEST(DockingMath, TaskbarEdgeFromWhereTheBarStartsOnItsScreen) {
    struct Case {
        TRect taskbar;
        TRect screen;
        TTaskbarEdge edge;
    };
    for (auto [taskbar, screen, edge] : {
             Case{kBottomBar, kScreen, TTaskbarEdge::Bottom},
             Case{kLeftBar, kScreen, TTaskbarEdge::Left},
             Case{kTopBar, kScreen, TTaskbarEdge::Top},
             Case{kRightBar, kScreen, TTaskbarEdge::Right},
             Case{{-2, 1038, 1922, 1082}, kScreen, TTaskbarEdge::Bottom},  // neither at the left nor the top
             Case{{0, 0, 40, 40}, kScreen, TTaskbarEdge::Bottom},          // as tall as wide
             // A second monitor: read against its own origin, not the primary's.
             Case{{1920, 0, 3840, 40}, {1920, 0, 3840, 1080}, TTaskbarEdge::Top},
             Case{{-1280, 0, -1218, 1024}, {-1280, 0, 0, 1024}, TTaskbarEdge::Left},
             Case{{1920, 1040, 3840, 1080}, {1920, 0, 3840, 1080}, TTaskbarEdge::Bottom},
         }) {
        EXPECT_EQ(TaskbarEdge(taskbar, screen), edge) << taskbar.Left << "," << taskbar.Top;
    }
}

TEST(DockingMath, BottomTaskbarMovesBandBy54) {
    const TRect band{60, 1042, 1920, 1078};
    const TDocking docking = DockStartButton(TTaskbarEdge::Bottom, kBottomBar, band);
    EXPECT_EQ(docking.BandOffset, 60);                 // "HeightWidth"
    EXPECT_EQ(docking.Band, RectOf(54, 0, 1866, 36));  // the band's far end stays at the screen's right
    EXPECT_EQ(docking.Button, RectOf(0, -6, 54, 54));
}

TEST(DockingMath, EveryEdgeMakesRoomAtItsStart) {
    struct Case {
        TTaskbarEdge edge;
        TRect taskbar;
        TRect band;
        int offset;
        TRect dockedBand;
    };
    for (auto [edge, taskbar, band, offset, dockedBand] : {
             Case{TTaskbarEdge::Top, kTopBar, {11, 0, 1900, 40}, 11, RectOf(54, 0, 1846, 40)},
             Case{TTaskbarEdge::Left, kLeftBar, {0, 30, 62, 1080}, 30, RectOf(0, 54, 62, 1026)},
             Case{TTaskbarEdge::Right, kRightBar, {1860, 11, 1920, 1070}, 11, RectOf(0, 54, 60, 1016)},
             // Taskbar on a second monitor: still 54 from its own start, not from the screen's.
             Case{
                 TTaskbarEdge::Bottom, {1920, 1040, 3840, 1080}, {1980, 1040, 3840, 1080}, 60, RectOf(54, 0, 1866, 40)},
             // A band that would end before the button gets no size rather than a negative one.
             Case{TTaskbarEdge::Bottom, kBottomBar, {11, 1040, 40, 1080}, 11, RectOf(54, 0, 0, 40)},
         }) {
        const TDocking docking = DockStartButton(edge, taskbar, band);
        EXPECT_EQ(docking.BandOffset, offset) << static_cast<int>(edge);
        EXPECT_EQ(docking.Band, dockedBand) << static_cast<int>(edge);
        EXPECT_EQ(docking.Button, RectOf(0, -6, 54, 54));  // the same place on every edge
    }
}

TEST(DockingMath, UndockingPutsTheBandAt11WhereverItWas) {
    struct Case {
        TTaskbarEdge edge;
        TRect taskbar;
        TRect band;
        TRect undocked;
    };
    for (auto [edge, taskbar, band, undocked] : {
             Case{TTaskbarEdge::Bottom, kBottomBar, {54, 1040, 1920, 1076}, RectOf(11, 0, 1909, 36)},
             Case{TTaskbarEdge::Bottom, kBottomBar, {30, 1040, 1920, 1076}, RectOf(11, 0, 1909, 36)},  // relayouted
             Case{TTaskbarEdge::Top, kTopBar, {54, 0, 1900, 40}, RectOf(11, 0, 1889, 40)},
             Case{TTaskbarEdge::Left, kLeftBar, {0, 54, 62, 1080}, RectOf(0, 11, 62, 1069)},
             Case{TTaskbarEdge::Right, kRightBar, {1860, 54, 1920, 1080}, RectOf(0, 11, 60, 1069)},
         }) {
        EXPECT_EQ(UndockedBand(edge, taskbar, band), undocked) << static_cast<int>(edge);
    }
}

TEST(DockingMath, BesideATaskbarsOwnStartButtonTheBandGoesBackToItsOffset) {
    // The offset the band had when the button docked, kept with its far end, on either kind of taskbar.
    EXPECT_EQ(UndockedBand(TTaskbarEdge::Bottom, kBottomBar, {54, 1040, 1920, 1076}, 48), RectOf(48, 0, 1872, 36));
    EXPECT_EQ(UndockedBand(TTaskbarEdge::Left, kLeftBar, {0, 54, 62, 1080}, 72), RectOf(0, 72, 62, 1008));
}

TEST(DockingMath, RepeatedUndockingLeavesTheBandWhereItIs) {
    // The watchdog undocks on every tick while Explorer stays silent.
    const TRect once = UndockedBand(TTaskbarEdge::Bottom, kBottomBar, {54, 1040, 1920, 1076});
    const TRect twice = UndockedBand(TTaskbarEdge::Bottom, kBottomBar, ToScreen(once, kBottomBar));
    EXPECT_EQ(twice, once);
}

TEST(DockingMath, RedrawCoversTheTaskbarBeforeTheBand) {
    struct Case {
        TTaskbarEdge edge;
        TRect taskbar;
        TRect band;
        TRect area;
    };
    for (auto [edge, taskbar, band, area] : {
             Case{TTaskbarEdge::Bottom, kBottomBar, {54, 1040, 1920, 1076}, {0, 0, 54, 40}},
             Case{TTaskbarEdge::Top, {100, 0, 2020, 40}, {154, 0, 2020, 40}, {0, 0, 54, 40}},
             // Vertical: the button is above the band, so the area ends at the band's top.
             Case{TTaskbarEdge::Left, kLeftBar, {0, 54, 62, 1080}, {0, 0, 62, 54}},
             Case{TTaskbarEdge::Right, kRightBar, {1858, 54, 1920, 1080}, {0, 0, 62, 54}},
             Case{TTaskbarEdge::Bottom, kBottomBar, {-5, 1040, 1920, 1076}, {0, 0, 0, 40}},
         }) {
        EXPECT_EQ(ButtonArea(edge, taskbar, band), area) << static_cast<int>(edge);
    }
}

}  // namespace
}  // namespace tessaline
