// The Start button's way into a taskbar: start-up, a late taskbar, one without a band, Explorer restarting, and a
// taskbar side that does not answer.
#include "app/TaskbarDockingLogic.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

constexpr uint64_t kFirst = 0x10086;
constexpr uint64_t kSecond = 0x20412;
constexpr uint64_t kThird = 0x3051C;
constexpr uint64_t kFourth = 0x40620;

TTaskbarSurvey Dockable(uint64_t taskbar, bool buttonInside = false) {
    return {taskbar, true, buttonInside};
}
TTaskbarSurvey WithoutBand(uint64_t taskbar) {
    return {taskbar, false, false};
}
const TTaskbarSurvey kNoTaskbar{};

TDockingStep StartSide() {
    TDockingStep step;
    step.StartTaskbarSide = true;
    return step;
}
TDockingStep DockNow() {
    TDockingStep step;
    step.Dock = true;
    return step;
}

// Docked into `taskbar` at time `now`, the usual way.
TTaskbarDocking DockedInto(uint64_t taskbar, uint32_t now = 1000) {
    TTaskbarDocking docking;
    docking.Survey(now, Dockable(taskbar));
    docking.TaskbarSideLoaded(static_cast<uint32_t>(taskbar));
    return docking;
}

TEST(TaskbarDocking, AtStartUpTheSideIsStartedAndItsAnnouncementDocks) {
    TTaskbarDocking docking;
    EXPECT_EQ(docking.Survey(100, Dockable(kFirst)), StartSide());
    EXPECT_EQ(docking.State(), TDockingState::Placing);
    EXPECT_EQ(docking.Taskbar(), kFirst);
    EXPECT_TRUE(docking.Looking());
    // Looks while waiting change nothing.
    EXPECT_EQ(docking.Survey(350, Dockable(kFirst)), TDockingStep{});
    // A side that does not say which taskbar counts for the one waited for.
    EXPECT_EQ(docking.TaskbarSideLoaded(0), DockNow());
    EXPECT_EQ(docking.State(), TDockingState::Docked);
    EXPECT_TRUE(docking.Watched());
    // Docked: the same taskbar with our button in it asks for nothing, and a second announcement docks nothing.
    EXPECT_EQ(docking.Survey(1350, Dockable(kFirst, true)), TDockingStep{});
    EXPECT_EQ(docking.TaskbarSideLoaded(0), TDockingStep{});
}

TEST(TaskbarDocking, AnAnnouncementForAnotherTaskbarIsStale) {
    TTaskbarDocking docking;
    docking.Survey(0, Dockable(0xFFFF'FFFF'0001'0086ull));
    EXPECT_EQ(docking.TaskbarSideLoaded(0x0002'0412), TDockingStep{});
    EXPECT_EQ(docking.State(), TDockingState::Placing);
    // Handles cross a bitness boundary as their low 32 bits.
    EXPECT_EQ(docking.TaskbarSideLoaded(0x0001'0086), DockNow());
}

TEST(TaskbarDocking, ASilentSideIsTriedThreeTimesThenTheButtonDocksWithoutIt) {
    TTaskbarDocking docking;
    docking.Survey(0, Dockable(kFirst));
    EXPECT_EQ(docking.Survey(kTaskbarSideAnswerMs - 1, Dockable(kFirst)), TDockingStep{});
    EXPECT_EQ(docking.Survey(kTaskbarSideAnswerMs, Dockable(kFirst)), StartSide());
    EXPECT_EQ(docking.Attempt(), 2);
    EXPECT_EQ(docking.Survey(2 * kTaskbarSideAnswerMs - 1, Dockable(kFirst)), TDockingStep{});
    EXPECT_EQ(docking.Survey(2 * kTaskbarSideAnswerMs, Dockable(kFirst)), StartSide());
    EXPECT_EQ(docking.Attempt(), 3);
    EXPECT_EQ(docking.Survey(3 * kTaskbarSideAnswerMs, Dockable(kFirst)), DockNow());
    EXPECT_EQ(docking.State(), TDockingState::Docked);
    // The watchdog's path from here: ten silent heartbeats undock, and the same hung taskbar does not bring the
    // button back (the taskbar side's restart does).
    docking.WatchdogUndocked();
    EXPECT_EQ(docking.State(), TDockingState::UndockedByWatchdog);
    EXPECT_TRUE(docking.Watched());
    EXPECT_EQ(docking.Survey(60000, Dockable(kFirst)), TDockingStep{});
    EXPECT_EQ(docking.Survey(61000, kNoTaskbar), TDockingStep{});
    // A new taskbar does; the watchdog had given the old band its room back already.
    TDockingStep step = docking.Survey(62000, Dockable(kSecond));
    EXPECT_TRUE(step.CloseMenu);
    EXPECT_FALSE(step.LeaveTaskbar);
    EXPECT_TRUE(step.StartTaskbarSide);
    EXPECT_EQ(docking.Taskbar(), kSecond);
}

TEST(TaskbarDocking, ALateTaskbarIsWaitedForAsLongAsItTakes) {
    TTaskbarDocking docking;
    // Hours without a taskbar, across the wrap of the tick count: no try, no giving up.
    for (uint64_t t = 0; t < 6ull * 3600 * 1000; t += 997) {
        ASSERT_EQ(docking.Survey(static_cast<uint32_t>(0xFFFF0000u + t), kNoTaskbar), TDockingStep{});
    }
    EXPECT_EQ(docking.State(), TDockingState::WaitingForTaskbar);
    EXPECT_EQ(docking.Survey(5, Dockable(kFirst)), StartSide());
    EXPECT_EQ(docking.TaskbarSideLoaded(static_cast<uint32_t>(kFirst)), DockNow());
}

TEST(TaskbarDocking, ATaskbarWithoutABandForThirtySecondsIsReportedOnce) {
    TTaskbarDocking docking;
    const uint32_t start = 0xFFFFF000u;  // the bound holds across the wrap
    EXPECT_EQ(docking.Survey(start, WithoutBand(kFirst)), TDockingStep{});
    EXPECT_EQ(docking.State(), TDockingState::WaitingForBand);
    EXPECT_EQ(docking.Survey(start + kNoDockableBandMs - 1, WithoutBand(kFirst)), TDockingStep{});
    TDockingStep report;
    report.ReportNoBand = true;
    EXPECT_EQ(docking.Survey(start + kNoDockableBandMs, WithoutBand(kFirst)), report);
    EXPECT_EQ(docking.State(), TDockingState::GivenUp);
    EXPECT_FALSE(docking.Looking());
    // Said once: nothing after, not even a band turning up.
    EXPECT_EQ(docking.Survey(start + kNoDockableBandMs + 250, WithoutBand(kFirst)), TDockingStep{});
    EXPECT_EQ(docking.Survey(start + kNoDockableBandMs + 500, Dockable(kFirst)), TDockingStep{});
}

TEST(TaskbarDocking, AShorterBoundForTheBandIsKept) {
    TTaskbarDocking docking;
    docking.SetNoBandBound(5000);
    docking.Survey(0, WithoutBand(kFirst));
    EXPECT_EQ(docking.Survey(4999, WithoutBand(kFirst)), TDockingStep{});
    EXPECT_TRUE(docking.Survey(5000, WithoutBand(kFirst)).ReportNoBand);
}

TEST(TaskbarDocking, TheThirtySecondsCountOnlyWhileATaskbarShowsWithoutABand) {
    TTaskbarDocking docking;
    docking.Survey(0, WithoutBand(kFirst));
    // Another taskbar, still without a band, keeps the count going.
    docking.Survey(20000, WithoutBand(kSecond));
    EXPECT_EQ(docking.Taskbar(), kSecond);
    // The taskbar goes away: waiting for one starts over.
    docking.Survey(25000, kNoTaskbar);
    EXPECT_EQ(docking.State(), TDockingState::WaitingForTaskbar);
    EXPECT_EQ(docking.Survey(40000, WithoutBand(kThird)), TDockingStep{});
    EXPECT_EQ(docking.Survey(69999, WithoutBand(kThird)), TDockingStep{});
    // A band that shows in time is docked into.
    EXPECT_EQ(docking.Survey(69999, Dockable(kThird)), StartSide());
    // A band that hides while the side is placed is waited for again, with a fresh bound.
    docking.Survey(70500, WithoutBand(kThird));
    EXPECT_EQ(docking.State(), TDockingState::WaitingForBand);
    EXPECT_EQ(docking.Survey(70500 + kNoDockableBandMs - 1, WithoutBand(kThird)), TDockingStep{});
}

TEST(TaskbarDocking, ANewTaskbarClosesTheMenuAndDocksAgain) {
    TTaskbarDocking docking = DockedInto(kFirst);
    // Explorer restarted: "TaskbarCreated" comes, the survey finds the new window.
    const TDockingStep step = docking.Survey(5000, Dockable(kSecond));
    TDockingStep expected = StartSide();
    expected.CloseMenu = true;
    expected.LeaveTaskbar = true;
    EXPECT_EQ(step, expected);
    EXPECT_EQ(docking.State(), TDockingState::Placing);
    EXPECT_EQ(docking.Taskbar(), kSecond);
    EXPECT_EQ(docking.TaskbarSideLoaded(static_cast<uint32_t>(kFirst)), TDockingStep{});  // the old side, late
    EXPECT_EQ(docking.TaskbarSideLoaded(static_cast<uint32_t>(kSecond)), DockNow());
    // Over and over: every restart docks again.
    for (uint64_t taskbar = kThird; taskbar < kThird + 10; ++taskbar) {
        ASSERT_TRUE(docking.Survey(6000, Dockable(taskbar)).StartTaskbarSide);
        ASSERT_EQ(docking.TaskbarSideLoaded(static_cast<uint32_t>(taskbar)), DockNow());
    }
}

TEST(TaskbarDocking, ANewTaskbarWithoutItsBandYetIsWaitedFor) {
    TTaskbarDocking docking = DockedInto(kFirst);
    TDockingStep step = docking.Survey(5000, WithoutBand(kSecond));
    EXPECT_TRUE(step.CloseMenu);
    EXPECT_TRUE(step.LeaveTaskbar);
    EXPECT_FALSE(step.StartTaskbarSide);
    EXPECT_EQ(docking.State(), TDockingState::WaitingForBand);
    EXPECT_EQ(docking.Survey(5300, Dockable(kSecond)), StartSide());
}

TEST(TaskbarDocking, TwoRestartsWithinASecondPlaceIntoTheLastTaskbar) {
    TTaskbarDocking docking = DockedInto(kFirst);
    docking.Survey(5000, Dockable(kSecond));
    // The second taskbar ends before its side answered, and a third comes.
    EXPECT_EQ(docking.Survey(5400, kNoTaskbar), TDockingStep{});
    EXPECT_EQ(docking.State(), TDockingState::WaitingForTaskbar);
    EXPECT_EQ(docking.Survey(5800, Dockable(kThird)), StartSide());
    // Or straight from one to the next.
    EXPECT_EQ(docking.Survey(5900, Dockable(kFourth)), StartSide());
    EXPECT_EQ(docking.Taskbar(), kFourth);
    EXPECT_EQ(docking.Attempt(), 1);
    EXPECT_EQ(docking.TaskbarSideLoaded(static_cast<uint32_t>(kThird)), TDockingStep{});
    EXPECT_EQ(docking.TaskbarSideLoaded(static_cast<uint32_t>(kFourth)), DockNow());
}

TEST(TaskbarDocking, ASideThatFailsInTheNewTaskbarIsTriedAgainThenTheWatchdogTakesOver) {
    TTaskbarDocking docking = DockedInto(kFirst);
    ASSERT_TRUE(docking.Survey(10000, Dockable(kSecond)).StartTaskbarSide);
    EXPECT_EQ(docking.Survey(10000 + kTaskbarSideAnswerMs, Dockable(kSecond)), StartSide());
    EXPECT_EQ(docking.Survey(10000 + 2 * kTaskbarSideAnswerMs, Dockable(kSecond)), StartSide());
    EXPECT_EQ(docking.Survey(10000 + 3 * kTaskbarSideAnswerMs, Dockable(kSecond)), DockNow());
    EXPECT_EQ(docking.Taskbar(), kSecond);
}

TEST(TaskbarDocking, AButtonNoLongerInItsTaskbarDocksAgainThere) {
    TTaskbarDocking docking = DockedInto(kFirst);
    const TDockingStep step = docking.Survey(3000, Dockable(kFirst, false));
    TDockingStep expected = StartSide();
    expected.CloseMenu = true;
    EXPECT_EQ(step, expected);  // nothing to give back: the band is the same and stays past the button
}

TEST(TaskbarDocking, ADockedTaskbarThatVanishesIsLeftToTheWatchdog) {
    TTaskbarDocking docking = DockedInto(kFirst);
    EXPECT_EQ(docking.Survey(3000, kNoTaskbar), TDockingStep{});
    EXPECT_EQ(docking.State(), TDockingState::Docked);
    EXPECT_EQ(docking.Taskbar(), kFirst);
    // Before the watchdog's ten seconds, a successor appears without a broadcast: seen on a tick all the same.
    EXPECT_TRUE(docking.Survey(7000, Dockable(kSecond)).StartTaskbarSide);
}

TEST(TaskbarDocking, TheWatchdogUndocksOnlyADockedButton) {
    TTaskbarDocking docking;
    docking.Survey(0, Dockable(kFirst));
    docking.WatchdogUndocked();
    EXPECT_EQ(docking.State(), TDockingState::Placing);
    EXPECT_FALSE(docking.Watched());
}

}  // namespace
}  // namespace tessaline
