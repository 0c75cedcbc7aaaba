#include "app/TaskbarDockingLogic.h"

namespace tessaline {

TDockingStep TTaskbarDocking::Place(uint32_t now, uint64_t taskbar) {
    state_ = TDockingState::Placing;
    taskbar_ = taskbar;
    attempt_ = 1;
    since_ = now;
    TDockingStep step;
    step.StartTaskbarSide = true;
    return step;
}

TDockingStep TTaskbarDocking::WaitForBand(uint32_t now, uint64_t taskbar) {
    // The bound is for a taskbar shown without a band all along, whichever window it is.
    if (state_ != TDockingState::WaitingForBand) {
        since_ = now;
    }
    state_ = TDockingState::WaitingForBand;
    taskbar_ = taskbar;
    attempt_ = 0;
    return {};
}

TDockingStep TTaskbarDocking::Leave(uint32_t now, const TTaskbarSurvey& seen) {
    const bool watchdogUndocked = state_ == TDockingState::UndockedByWatchdog;
    const bool otherTaskbar = seen.Taskbar != taskbar_;
    TDockingStep step = seen.DockableBand ? Place(now, seen.Taskbar) : WaitForBand(now, seen.Taskbar);
    step.CloseMenu = true;
    // The watchdog gave that band its room back already.
    step.LeaveTaskbar = otherTaskbar && !watchdogUndocked;
    return step;
}

TDockingStep TTaskbarDocking::Survey(uint32_t now, const TTaskbarSurvey& seen) {
    switch (state_) {
        case TDockingState::GivenUp:
            return {};
        case TDockingState::WaitingForTaskbar:
        case TDockingState::WaitingForBand:
            if (seen.Taskbar == 0) {
                state_ = TDockingState::WaitingForTaskbar;
                taskbar_ = 0;
                return {};
            }
            if (seen.DockableBand) {
                return Place(now, seen.Taskbar);
            }
            WaitForBand(now, seen.Taskbar);
            if (now - since_ >= noBandBoundMs_) {
                state_ = TDockingState::GivenUp;
                TDockingStep step;
                step.ReportNoBand = true;
                return step;
            }
            return {};
        case TDockingState::Placing:
            if (seen.Taskbar == 0) {
                state_ = TDockingState::WaitingForTaskbar;
                taskbar_ = 0;
                attempt_ = 0;
                return {};
            }
            if (seen.Taskbar != taskbar_) {
                // Restarted again before the side answered: the new one is the one to place into.
                return seen.DockableBand ? Place(now, seen.Taskbar) : WaitForBand(now, seen.Taskbar);
            }
            if (!seen.DockableBand) {
                return WaitForBand(now, seen.Taskbar);
            }
            if (now - since_ < kTaskbarSideAnswerMs) {
                return {};
            }
            if (attempt_ < kTaskbarSideAttempts) {
                ++attempt_;
                since_ = now;
                TDockingStep step;
                step.StartTaskbarSide = true;
                return step;
            }
            // No side answered: dock anyway; its silence makes the watchdog restore and restart.
            state_ = TDockingState::Docked;
            {
                TDockingStep step;
                step.Dock = true;
                return step;
            }
        case TDockingState::Docked:
            // A taskbar that vanished without a successor is the watchdog's: its heartbeats go unanswered.
            if (seen.Taskbar == 0 || (seen.Taskbar == taskbar_ && seen.ButtonInside)) {
                return {};
            }
            return Leave(now, seen);
        case TDockingState::UndockedByWatchdog:
            if (seen.Taskbar == 0 || seen.Taskbar == taskbar_) {
                return {};
            }
            return Leave(now, seen);
    }
    return {};
}

TDockingStep TTaskbarDocking::TaskbarSideLoaded(uint32_t taskbar) {
    if (state_ != TDockingState::Placing || (taskbar != 0 && taskbar != static_cast<uint32_t>(taskbar_))) {
        return {};
    }
    state_ = TDockingState::Docked;
    TDockingStep step;
    step.Dock = true;
    return step;
}

void TTaskbarDocking::WatchdogUndocked() {
    if (state_ == TDockingState::Docked) {
        state_ = TDockingState::UndockedByWatchdog;
    }
}

}  // namespace tessaline
