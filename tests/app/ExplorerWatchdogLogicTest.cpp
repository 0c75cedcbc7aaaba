// The watchdog's counting: ten silent heartbeats restore the taskbar and restart, answered ones never do.
#include "app/ExplorerWatchdogLogic.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace tessaline {
namespace {

TEST(ExplorerWatchdog, AnsweredHeartbeatsNeverRestore) {
    TExplorerWatchdog watchdog;
    for (int i = 0; i < 50; ++i) {
        const TWatchdogTick tick = watchdog.Tick();
        EXPECT_EQ(tick.HeartbeatCount, 0);
        EXPECT_FALSE(tick.RestoreAndRestart);
        watchdog.OnExplorerAlive(0);  // the taskbar side's answer
    }
}

TEST(ExplorerWatchdog, TheTenthSilentTickRestoresAndEveryLaterOneAgain) {
    TExplorerWatchdog watchdog;
    for (int tickNumber = 1; tickNumber <= 13; ++tickNumber) {
        const TWatchdogTick tick = watchdog.Tick();
        EXPECT_EQ(tick.HeartbeatCount, tickNumber - 1);  // the count before this tick's increment
        EXPECT_EQ(tick.ExplorerCount, tickNumber);
        EXPECT_EQ(tick.RestoreAndRestart, tickNumber >= 10) << "tick " << tickNumber;
    }
    // Explorer is back: the count it answers is kept, and the restores stop.
    watchdog.OnExplorerAlive(8);
    EXPECT_FALSE(watchdog.Tick().RestoreAndRestart);
    EXPECT_TRUE(watchdog.Tick().RestoreAndRestart);
}

TEST(ExplorerWatchdog, OutOfRangeAnswersDoNotOverflowTheCount) {
    TExplorerWatchdog watchdog;
    watchdog.OnExplorerAlive(INT64_MAX);
    const TWatchdogTick tick = watchdog.Tick();
    EXPECT_EQ(tick.HeartbeatCount, INT_MAX);
    EXPECT_EQ(tick.ExplorerCount, INT_MAX);
    EXPECT_TRUE(tick.RestoreAndRestart);

    watchdog.OnExplorerAlive(INT64_MIN);
    EXPECT_EQ(watchdog.ExplorerCount(), INT_MIN);
    EXPECT_FALSE(watchdog.Tick().RestoreAndRestart);
}

TEST(ExplorerWatchdog, HotCornersAreRearmedFromTenOn) {
    TExplorerWatchdog watchdog;
    for (auto [state, rearm] :
         {std::pair{0, false}, std::pair{9, false}, std::pair{10, true}, std::pair{42, true}, std::pair{0, false}}) {
        watchdog.OnHotCornerState(state);
        EXPECT_EQ(watchdog.Tick().HookHotCorners, rearm) << state;
        watchdog.OnExplorerAlive(0);
    }
}

}  // namespace
}  // namespace tessaline
