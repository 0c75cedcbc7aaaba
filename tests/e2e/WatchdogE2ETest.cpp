// The taskbar watchdog: heartbeats to the band every second, and what ten silent ones do.

#include <gtest/gtest.h>

#include "Desktop.h"
#include "app/HelperProtocol.h"

namespace tessaline::test {
namespace {

int CountHeartbeats(const TDesktop& desktop) {
    int count = 0;
    for (const TBandMessage& m : desktop.BandMessages()) {
        count += m.Message == WMExplorerAlive ? 1 : 0;
    }
    return count;
}

TEST(WatchdogE2E, TenSilentHeartbeatsUndockAndRestartTheTaskbarSideEverySecond) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    const DWORD docked = GetTickCount();
    // Nobody answers: the stand-in only announces itself.
    ASSERT_TRUE(WaitUntil([&] { return desktop.HelperLogCount(L"Tarnwick.exe /Restart") >= 1; }, 15000));
    EXPECT_GE(GetTickCount() - docked, 8000u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
    const int heartbeats = CountHeartbeats(desktop);
    EXPECT_GE(heartbeats, 10);
    // The counts posted are those before each tick: 0, 1, 2, ...
    int expected = 0;
    for (const TBandMessage& m : desktop.BandMessages()) {
        if (m.Message == WMExplorerAlive) {
            EXPECT_EQ(m.LParam, expected++);
        }
    }
    // The eleventh tick restores and restarts again.
    EXPECT_TRUE(WaitUntil([&] { return desktop.HelperLogCount(L"Tarnwick.exe /Restart") >= 2; }, 3000));
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
    // Undocking ended the hot-corner helpers and removed nothing else: the process still runs.
    EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

TEST(WatchdogE2E, AnsweredHeartbeatsNeverUndock) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    // Answer every heartbeat as the taskbar side does: WMExplorerAlive back with 0.
    int answered = 0;
    const bool undocked = WaitUntil(
        [&] {
            const int beats = CountHeartbeats(desktop);
            for (; answered < beats; ++answered) {
                PostMessageW(desktop.StartMenu(), WMExplorerAlive, 0, 0);
            }
            return desktop.InTaskbar(desktop.Band()).Left != 54;
        },
        13000);
    EXPECT_FALSE(undocked);
    EXPECT_GE(answered, 11);
    EXPECT_EQ(desktop.HelperLogCount(L"Tarnwick.exe /Restart"), 0);
}

}  // namespace
}  // namespace tessaline::test
