#pragma once
// The Start button's way into a taskbar, kept apart from Windows: what the program sees of the taskbars (a
// survey), the taskbar side's announcement and the watchdog's undocking go in; out comes what to do next. Pure.
// GUI thread only.
//
// The way in, from start-up and again whenever the taskbar is a new one:
//   - no shown taskbar: wait for one, as long as it takes (the program may start at log-on before Explorer);
//   - a taskbar without a band to dock into (none, hidden, or of no size): wait for one; after 30 s of that the
//     taskbar is one we cannot dock into (Windows 11, another shell): say so and end;
//   - a dockable band: start the taskbar side for that taskbar and wait for its announcement, 5 s a try, three
//     tries; without one the button docks anyway and the watchdog's ten silent heartbeats take over;
//   - docked: a survey that shows another taskbar (Explorer restarted: "TaskbarCreated", or the watchdog seeing
//     the window replaced), or our button no longer inside ours, closes the menu and starts the way in again.
// After the watchdog undocked the button (the taskbar hung), only a new taskbar brings it back here; the taskbar
// side's restart takes care of the hung one.

#include <cstdint>

namespace tessaline {

inline constexpr uint32_t kTaskbarSideAnswerMs = 5000;
inline constexpr int kTaskbarSideAttempts = 3;
inline constexpr uint32_t kNoDockableBandMs = 30000;
// How often the program looks while it waits for a taskbar or its band.
inline constexpr uint32_t kTaskbarSurveyMs = 250;

// What one look at the taskbars found: the taskbar to dock into (a shown one, preferring one with a dockable
// band), as its window handle; 0 when no taskbar shows.
struct TTaskbarSurvey {
    uint64_t Taskbar = 0;
    bool DockableBand = false;  // its band is shown and has a size
    bool ButtonInside = false;  // our button is a child of it
};

enum class TDockingState { WaitingForTaskbar, WaitingForBand, Placing, Docked, UndockedByWatchdog, GivenUp };

// What to do, in this order.
struct TDockingStep {
    bool StartTaskbarSide = false;  // Tarnwick "/loaddll", for Taskbar()
    bool CloseMenu = false;         // the open start menu belonged to the old taskbar
    bool LeaveTaskbar = false;      // give the band of the taskbar we were docked into its room back, if it is there
    bool Dock = false;              // the button into Taskbar()
    bool ReportNoBand = false;      // tell the user once, then end
    friend bool operator==(const TDockingStep&, const TDockingStep&) = default;
};

class TTaskbarDocking {
  public:
    // Every look at the taskbars: at start-up, on "TaskbarCreated", on each tick of the wait and of the watchdog.
    // `now` is a millisecond tick count; it may wrap.
    TDockingStep Survey(uint32_t now, const TTaskbarSurvey& seen);
    // WMStartMenuLoaded; `taskbar` is the low 32 bits of the taskbar the side placed itself into (its lParam),
    // 0 when the side does not say. An announcement for another taskbar than the one waited for is stale.
    TDockingStep TaskbarSideLoaded(uint32_t taskbar);
    // The watchdog gave the taskbar its room back after ten silent heartbeats.
    void WatchdogUndocked();

    // How long a taskbar without a dockable band is waited on (kNoDockableBandMs unless a test build says less).
    void SetNoBandBound(uint32_t ms) { noBandBoundMs_ = ms; }

    TDockingState State() const { return state_; }
    // The taskbar being placed into or docked into; 0 while waiting for one.
    uint64_t Taskbar() const { return taskbar_; }
    int Attempt() const { return attempt_; }
    // Neither docked nor given up: the program keeps looking.
    bool Looking() const {
        return state_ == TDockingState::WaitingForTaskbar || state_ == TDockingState::WaitingForBand ||
               state_ == TDockingState::Placing;
    }
    // Docked, or undocked by the watchdog that keeps counting: the heartbeats go on.
    bool Watched() const { return state_ == TDockingState::Docked || state_ == TDockingState::UndockedByWatchdog; }

  private:
    TDockingStep Place(uint32_t now, uint64_t taskbar);
    TDockingStep WaitForBand(uint32_t now, uint64_t taskbar);
    TDockingStep Leave(uint32_t now, const TTaskbarSurvey& seen);

    TDockingState state_ = TDockingState::WaitingForTaskbar;
    uint64_t taskbar_ = 0;
    // Since when the band is waited for, or the current try of the taskbar side.
    uint32_t since_ = 0;
    int attempt_ = 0;
    uint32_t noBandBoundMs_ = kNoDockableBandMs;
};

}  // namespace tessaline
