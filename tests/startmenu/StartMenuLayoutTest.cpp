// Layout arithmetic of the start-menu window: the left pane, the placement beside the taskbar, the right column.
#include "startmenu/StartMenuLayout.h"

#include <gtest/gtest.h>

#include "catalogue/PaneRows.h"

namespace tessaline {
namespace {

const TRect kScreen{0, 0, 1920, 1120};
const TRect kWorkArea{0, 0, 1920, 1080};  // above a bottom taskbar

struct TShown {
    TFrequentRows frequent;
    TLeftPaneLayout pane;
    TStartMenuPlacement placement;
};

// What the show handler does: pins from base 95, the frequent pane below them, the layout, then the placement.
TShown Show(int pins, int frequent, const TRect& screen, const TRect& workArea) {
    TLeftPaneInput input;
    const int pinnedRows = SelectPinnedRows(pins, kStartMenuBaseHeight, workArea.Height());
    input.PinnedHeight = pinnedRows * 40 + 2;
    input.PinnedHasItems = pinnedRows > 0;
    TShown shown;
    shown.frequent =
        SelectFrequentRows(frequent, nullptr, kStartMenuBaseHeight + input.PinnedHeight, workArea.Height());
    input.FrequentHeight = shown.frequent.reservedRows * 40 + 4;
    input.FrequentVisible = shown.frequent.reservedRows > 0;
    shown.pane = LayoutLeftPane(input);
    shown.placement = PlaceStartMenu(screen, workArea, kStartMenuWidth, shown.pane.WindowHeight);
    return shown;
}

TEST(StartMenuLayout, ShownWindowStandsOnTheWorkAreasBottomEdge) {
    struct Case {
        int pins, workAreaHeight;
        int frequentRows, height, frequentTop;
    };
    for (auto [pins, workAreaHeight, frequentRows, height, frequentTop] : {
             Case{3, 1080, 10, 95 + 122 + 6 + 404, 10 + 122 + 3},  // five programs still get room for ten
             Case{0, 1080, 10, 95 + 404, 10},
             Case{20, 768, 0, 95 + 522 + 6, 10 + 522 + 3},  // 13 pins fill it: no frequent pane, no growth by it
         }) {
        const TRect workArea{0, 0, 1920, workAreaHeight};
        const TShown shown = Show(pins, 5, {0, 0, 1920, workAreaHeight + 40}, workArea);
        const TLeftPaneLayout& pane = shown.pane;
        EXPECT_EQ(shown.frequent.reservedRows, frequentRows) << pins;
        EXPECT_EQ(pane.WindowHeight, height) << pins;
        EXPECT_EQ(pane.StartMenuHeight, height) << pins;
        EXPECT_EQ(pane.FrequentTree.Top, frequentTop) << pins;
        EXPECT_EQ(pane.PinnedVisible, pins > 0);
        EXPECT_EQ(pane.Step1Visible, pins > 0);
        EXPECT_EQ(shown.placement.Position, (TPoint{0, workAreaHeight - height})) << pins;
        // Nothing of the pane falls off the window.
        EXPECT_LE(pane.SearchFrame.Bottom, height) << pins;
        EXPECT_LE(pane.PowerButton.Bottom, height) << pins;
        EXPECT_LE(pane.Panel[8].Bottom, height) << pins;
    }
}

TEST(StartMenuLayout, PinsAndFrequentPaneStackWithTheirSeparators) {
    const TLeftPaneLayout pane = Show(3, 5, kScreen, kWorkArea).pane;
    EXPECT_EQ(pane.PinnedTree, RectOf(9, 10, 247, 122));
    EXPECT_EQ(pane.Step1, RectOf(13, 130, 239, 5));
    EXPECT_EQ(pane.ProgramTree, RectOf(9, 10, 247, 122 + 404 + 2));  // "All Programs" covers both panes
    EXPECT_EQ(pane.SearchPanel, RectOf(9, 10, 392, 122 + 404 + 24 + 6));
}

// Pinning and unpinning re-lay the panes with the window's height kept: the frequent pane's bottom, its separator
// and everything below stay where they were, and a frequent pane squeezed to 39 pixels or less is hidden.
TEST(StartMenuLayout, PinningAndUnpinningKeepTheFrequentPanesBottom) {
    const auto layout = [](int pinnedHeight, int frequentHeight, bool frequentVisible = true) {
        TLeftPaneInput input;
        input.Grow = false;
        input.PinnedHeight = pinnedHeight;
        input.PinnedHasItems = pinnedHeight > 0;
        input.FrequentHeight = frequentHeight;
        input.FrequentVisible = frequentVisible;
        return LayoutLeftPane(input);
    };
    struct Case {
        const char* what;
        int pinnedBefore, frequentBefore, pinnedAfter;
        int frequentTop, frequentHeight;
    };
    for (const Case& c : {
             Case{"the first pin", 0, 404, 42, 55, 359},
             Case{"a second pin", 42, 359, 82, 95, 319},
         }) {
        SCOPED_TRACE(c.what);
        const TLeftPaneLayout before = layout(c.pinnedBefore, c.frequentBefore);
        const int top = FrequentPaneTop(10, c.pinnedAfter, true);
        EXPECT_EQ(top, c.frequentTop);
        const TFrequentPane pane = FrequentPaneAfterPin(before.Step2.Top, top);
        EXPECT_EQ(pane, (TFrequentPane{c.frequentHeight, true}));
        const TLeftPaneLayout after = layout(c.pinnedAfter, pane.Height);
        EXPECT_EQ(after.FrequentTree.Bottom, before.FrequentTree.Bottom);
        EXPECT_EQ(after.Step2, before.Step2);
        EXPECT_EQ(after.SwitchRow[1], before.SwitchRow[1]);
        EXPECT_EQ(after.SearchFrame, before.SearchFrame);
    }
    // Squeezed: the frequent pane shows only with more than 39 pixels left under the new pin.
    EXPECT_EQ(FrequentPaneAfterPin(layout(0, 44).Step2.Top, 55), (TFrequentPane{0, false}));
    EXPECT_EQ(FrequentPaneAfterPin(layout(0, 84).Step2.Top, 55), (TFrequentPane{39, false}));
    EXPECT_EQ(FrequentPaneAfterPin(layout(0, 85).Step2.Top, 55), (TFrequentPane{40, true}));

    // Unpinning the last pin: the pane moves to the top and grows by all of the freed distance (45, not 40).
    const TLeftPaneLayout pinned = layout(42, 359);
    const int height = FrequentHeightAfterUnpin(pinned.FrequentTree.Top, 359, FrequentPaneTop(10, 0, false));
    EXPECT_EQ(height, 404);
    EXPECT_EQ(layout(0, height).FrequentTree, RectOf(9, 10, 247, 404));
    EXPECT_EQ(layout(0, height).Step2, pinned.Step2);
    // One pin of two: a row's room.
    EXPECT_EQ(FrequentHeightAfterUnpin(FrequentPaneTop(10, 82, true), 319, FrequentPaneTop(10, 42, true)), 359);
}

TEST(StartMenuLayout, SwitchRowFollowsTheFrequentPane) {
    struct Case {
        bool frequentVisible;
        int rowTop;
    };
    for (auto [frequentVisible, rowTop] : {Case{true, 10 + 404 + 4}, Case{false, 10 + 404 + 2}}) {
        TLeftPaneInput input;
        input.FrequentHeight = 404;
        input.FrequentVisible = frequentVisible;
        const TLeftPaneLayout pane = LayoutLeftPane(input);
        EXPECT_EQ(pane.Step2Visible, frequentVisible);
        EXPECT_EQ(pane.Step2.Top, 412);
        EXPECT_EQ(pane.SwitchRow[0], RectOf(12, rowTop, 3, 24));
        EXPECT_EQ(pane.SwitchRow[1], RectOf(15, rowTop, 227, 24));
        EXPECT_EQ(pane.SwitchRow[2], RectOf(242, rowTop, 3, 24));
        EXPECT_EQ(pane.ProgramLogo, RectOf(17, rowTop + 6, 16, 12));
        EXPECT_EQ(pane.ProgramLabel, RectOf(42, rowTop + 3, 149, 17));

        // The search box 15 below the row; the power button beside it under the user's name.
        const int frameTop = rowTop + 24 + 15;
        EXPECT_EQ(pane.SearchFrame, RectOf(16, frameTop, 227, 24));
        EXPECT_EQ(pane.SearchBackground, RectOf(9, frameTop - 10, 247, 41));
        EXPECT_EQ(pane.SearchButton, RectOf(221, frameTop + 2, 20, 20));  // 2 px inside the frame's right end
        EXPECT_EQ(pane.SearchCloseButton, pane.SearchButton);
        EXPECT_EQ(pane.SearchEdit, RectOf(21, frameTop + 5, 201, 17));
        EXPECT_EQ(pane.PowerButton, RectOf(271, frameTop, 72, 21));
        EXPECT_EQ(pane.PowerArrow, RectOf(343, frameTop, 23, 21));
        EXPECT_EQ(pane.PowerLabel, RectOf(275, frameTop + 3, 66, 14));
    }
}

TEST(StartMenuLayout, WhitePanelStopsBeforeTheRightColumnExceptInSearchMode) {
    struct Case {
        bool searchMode;
        int panelRight;
        int backgroundWidth;
    };
    for (auto [searchMode, panelRight, backgroundWidth] : {Case{false, 410 - 151, 247}, Case{true, 410 - 6, 392}}) {
        TLeftPaneInput input;
        input.WindowHeight = 600;
        input.Grow = false;  // a re-layout must not add the panes to the height a second time
        input.PinnedHeight = 122;
        input.PinnedHasItems = true;
        input.FrequentHeight = 404;
        input.SearchMode = searchMode;
        const TLeftPaneLayout pane = LayoutLeftPane(input);
        EXPECT_EQ(pane.WindowHeight, 600);
        const auto& p = pane.Panel;
        EXPECT_EQ(p[0], RectOf(6, 6, 6, 6));
        EXPECT_EQ(p[2].Right, panelRight) << searchMode;
        EXPECT_EQ(p[8].Right, panelRight) << searchMode;
        EXPECT_EQ(p[6].Bottom, 600 - 8);
        // The nine pieces meet without gaps or overlaps.
        for (size_t row = 0; row < 9; row += 3) {
            EXPECT_EQ(p[row].Right, p[row + 1].Left);
            EXPECT_EQ(p[row + 1].Right, p[row + 2].Left);
        }
        for (size_t column = 0; column < 3; ++column) {
            EXPECT_EQ(p[column].Bottom, p[column + 3].Top);
            EXPECT_EQ(p[column + 3].Bottom, p[column + 6].Top);
        }
        EXPECT_EQ(pane.SearchBackground.Width(), backgroundWidth) << searchMode;
    }
}

TEST(StartMenuLayout, TooSmallWindowGetsEmptyPiecesNotNegativeOnes) {
    TLeftPaneInput input;
    input.WindowWidth = 120;
    input.ClientWidth = 10;
    input.WindowHeight = 10;
    input.Grow = false;
    const TLeftPaneLayout pane = LayoutLeftPane(input);
    std::vector<TRect> all{pane.PinnedTree, pane.FrequentTree, pane.ProgramTree,  pane.SearchPanel,
                           pane.Step1,      pane.Step2,        pane.SearchFrame,  pane.SearchBackground,
                           pane.SearchEdit, pane.FooterLabel,  pane.SwitchRow[1], pane.FooterPieces[1]};
    all.insert(all.end(), pane.Panel.begin(), pane.Panel.end());
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_GE(all[i].Width(), 0) << i;
        EXPECT_GE(all[i].Height(), 0) << i;
    }
}

TEST(StartMenuLayout, PlacementBesideEveryTaskbarEdge) {
    const TRect screen{0, 0, 1920, 1080};
    const TRect east{1920, 0, 3840, 1080};
    const TRect south{0, 1080, 1920, 2160};
    struct Case {
        const char* edge;
        TRect screen, workArea;
        bool changed;
        TPoint position, anchor;
        int anchorRaise;  // the picture sticks out above the window only with the taskbar at the bottom
    };
    for (const auto& c : {
             Case{"bottom", screen, {0, 0, 1920, 1040}, true, {0, 440}, {306, 410}, -30},
             Case{"top", screen, {0, 40, 1920, 1080}, true, {0, 40}, {306, 40}, 0},
             Case{"left", screen, {62, 0, 1920, 1080}, true, {0, 50}, {306, 50}, 0},
             Case{"right", screen, {0, 0, 1858, 1080}, true, {1510, 50}, {1816, 50}, 0},
             Case{"auto-hidden", screen, screen, false, {}, {}, 0},
             // Screens that do not start at (0, 0) are measured from their own origin.
             Case{"east, bottom", east, {1920, 0, 3840, 1040}, true, {1920, 440}, {2226, 410}, -30},
             Case{"south, bottom", south, {0, 1080, 1920, 2120}, true, {0, 1520}, {306, 1490}, -30},
             Case{"south, top", south, {0, 1120, 1920, 2160}, true, {0, 1120}, {306, 1120}, 0},
         }) {
        const TStartMenuPlacement placement = PlaceStartMenu(c.screen, c.workArea, 410, 600);
        EXPECT_EQ(placement.Changed, c.changed) << c.edge;
        if (c.changed) {
            EXPECT_EQ(placement.Position, c.position) << c.edge;
            EXPECT_EQ(placement.Anchor, c.anchor) << c.edge;
        }
        EXPECT_EQ(placement.AnchorOffset, (TPoint{306, c.anchorRaise})) << c.edge;
    }
}

TRightColumnInput DesignColumn(TPoint anchorInWindow, int anchorScreenX) {
    TRightColumnInput input;
    input.AnchorInWindow = anchorInWindow;
    input.AnchorScreenX = anchorScreenX;
    for (size_t i = 0; i < kLinkCount; ++i) {
        input.Links[i] = RectOf(266, 0, 136, 31);
        input.Labels[i] = RectOf(i == 2 ? 270 : 271, 0, 120, 16);
    }
    input.Separator1 = input.Separator2 = RectOf(270, 0, 124, 2);
    input.SendBack = RectOf(0, 0, 116, 24);
    input.SendBackLabel = RectOf(300, 0, 80, 13);
    return input;
}

TEST(StartMenuLayout, RightColumnRunsDownFromTheAnchor) {
    const TRightColumnLayout column = LayoutRightColumn(DesignColumn({306, -30}, 306));
    const std::array<int, kLinkCount> tops{58, 94, 130, 166, 209, 245, 288, 324, 360, 396};
    for (size_t i = 0; i < kLinkCount; ++i) {
        EXPECT_EQ(column.Links[i], RectOf(266, tops[i], 136, 31)) << i;
        EXPECT_EQ(column.Labels[i], RectOf(i == 2 ? 270 : 271, tops[i] + 8, 120, 16)) << i;
    }
    EXPECT_EQ(column.Separator1, RectOf(270, 202, 124, 2));
    EXPECT_EQ(column.Separator2, RectOf(270, 281, 124, 2));
    EXPECT_EQ(column.SendBack, RectOf(280, 35, 116, 24));
    EXPECT_EQ(column.SendBackLabel, RectOf(300, 38, 80, 13));
}

TEST(StartMenuLayout, SendBackCentresUnderThePictureRoundingHalvesToEven) {
    struct Case {
        int width, left;
    };
    for (auto [width, left] : {
             Case{116, 306 - 26},  // -26 exactly
             Case{117, 306 - 26},  // -26.5
             Case{115, 306 - 26},  // -25.5
             Case{113, 306 - 24},  // -24.5
             Case{119, 306 - 28},  // -27.5
             Case{61, 306 + 2},    // 1.5
         }) {
        // Taskbar at the right: the window starts at x 1510, so the anchor's screen x (1816) is no place in it.
        TRightColumnInput input = DesignColumn({306, 0}, 1816);
        input.SendBackWidth = width;
        EXPECT_EQ(LayoutRightColumn(input).SendBack.Left, left) << width;
    }
}

TEST(StartMenuLayout, LinksReachingBelowThePowerButtonAreHidden) {
    const TRightColumnLayout column = LayoutRightColumn(DesignColumn({306, -30}, 306));
    struct Case {
        int powerTop;
        int visibleCount;
    };
    for (auto [powerTop, visibleCount] : {
             Case{600, 10},
             Case{427, 10},  // Help's bottom exactly on the button's top
             Case{426, 9},
             Case{330, 7},  // Control Panel ends at 319, Devices at 355
             Case{50, 0},
         }) {
        const auto visible = LinksAbovePowerButton(column.Links, column.Labels, powerTop);
        for (size_t i = 0; i < kLinkCount; ++i) {
            EXPECT_EQ(visible[i], static_cast<int>(i) < visibleCount) << powerTop << " " << i;
        }
    }

    // A label that reaches lower than its button takes the button with it.
    std::array<TRect, kLinkCount> labels = column.Labels;
    labels[0] = RectOf(271, 66, 120, 40);
    EXPECT_FALSE(LinksAbovePowerButton(column.Links, labels, 100)[0]);
}

}  // namespace
}  // namespace tessaline
