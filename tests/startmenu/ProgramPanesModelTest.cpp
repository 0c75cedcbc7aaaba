// Which trees each view shows, and which mouse moves in the panes are the user's.
#include <gtest/gtest.h>

#include "startmenu/ProgramPanesModel.h"

namespace tessaline {
namespace {

TEST(ProgramPanesModel, ThePinnedPaneShowsOnlyInTheFrequentViewAndOnlyWithPins) {
    EXPECT_EQ(PaneVisibility(TPaneView::Frequent, true), (TPaneVisibility{true, true, true, false}));
    EXPECT_EQ(PaneVisibility(TPaneView::Frequent, false), (TPaneVisibility{false, false, true, false}));
    EXPECT_EQ(PaneVisibility(TPaneView::AllPrograms, true), (TPaneVisibility{false, false, false, true}));
}

TEST(ProgramPanesModel, AMoveToWhereThePointerRestedIsNoMoveOfTheUsers) {
    TPointerMoves moves;
    EXPECT_TRUE(moves.Moved(TPane::Pinned, {10, 10})) << "the first report anywhere is a move";
    EXPECT_FALSE(moves.Moved(TPane::Pinned, {10, 10}));
    // The window shows under a pointer resting over the frequent pane: the report Windows makes there is none.
    moves.Remember(TPane::Frequent, {40, 50});
    EXPECT_FALSE(moves.Moved(TPane::Frequent, {40, 50}));
    EXPECT_TRUE(moves.Moved(TPane::Frequent, {41, 50}));
    // Each pane keeps its own place.
    EXPECT_TRUE(moves.Moved(TPane::AllPrograms, {10, 10}));
}

}  // namespace
}  // namespace tessaline
