#include <gtest/gtest.h>

#include "catalogue/PaneRows.h"

namespace tessaline {
namespace {

TEST(PaneRows, PinnedProgramsNeverShowInTheFrequentPane) {
    // 14 entries; every third one is pinned.
    const auto pinned = [](int index) { return index % 3 == 0; };
    const TFrequentRows rows = SelectFrequentRows(14, pinned, 95 + 3 * 40 + 2, 1080);
    EXPECT_EQ(rows.shown, (std::vector<int>{1, 2, 4, 5, 7, 8, 10, 11, 13}));
    EXPECT_EQ(rows.reservedRows, 10);  // room kept for ten rows on a tall screen
}

TEST(PaneRows, TheFrequentPaneShowsAtMostTenAndFewerOnAShortScreen) {
    struct Case {
        int count;
        int base;
        int workArea;
        size_t shown;
        int reserved;
    };
    for (const auto& c : {
             Case{25, 95, 1080, 10, 10},  // tall: ten at most
             Case{3, 95, 1080, 3, 10},    // few entries: room kept for ten
             Case{25, 95, 768, 10, 10},   // 95 + i * 40 + 44 < 618 up to i = 11: the cap decides
             Case{25, 337, 768, 6, 6},    // below six pins: 337 + i * 40 + 44 < 618 up to i = 5
             Case{25, 95, 300, 1, 1},     // one row: 139 < 150, then 179 is not
             Case{25, 95, 280, 0, 0},     // nothing fits
             Case{0, 95, 1080, 0, 10},
         }) {
        const TFrequentRows rows = SelectFrequentRows(c.count, nullptr, c.base, c.workArea);
        EXPECT_EQ(rows.shown.size(), c.shown) << c.count << " " << c.base << " " << c.workArea;
        EXPECT_EQ(rows.reservedRows, c.reserved) << c.count << " " << c.base << " " << c.workArea;
    }
}

TEST(PaneRows, ACountLimitStopsAtThatNode) {
    const TFrequentRows rows = SelectFrequentRows(8, nullptr, 95, 1080, 2);
    EXPECT_EQ(rows.shown, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(rows.stoppedAtLimit);
}

TEST(PaneRows, ThePinnedPaneShowsItsFirstPinAlways) {
    EXPECT_EQ(SelectPinnedRows(5, 95, 1080), 5);
    EXPECT_EQ(SelectPinnedRows(30, 95, 1080), 21);  // the pin of index 20 is the first with 20 * 40 + 139 >= 930
    EXPECT_EQ(SelectPinnedRows(3, 95, 200), 1);     // the first even when nothing fits
    EXPECT_EQ(SelectPinnedRows(0, 95, 1080), 0);
}

}  // namespace
}  // namespace tessaline
