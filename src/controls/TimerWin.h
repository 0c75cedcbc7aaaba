#pragma once
// A timer component: OnTimer runs on the UI thread every Interval milliseconds while Enabled. All timers share
// one message-only window. UI thread only.

#include <functional>

#include "controls/Component.h"

namespace tessaline {

class TTimer : public TComponent {
  public:
    // Starts at once, like a timer placed on a form, unless the owner is still being loaded.
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    // Restarts a running timer with the new interval; 0 stops it.
    void SetInterval(unsigned milliseconds);
    std::function<void(TTimer&)> OnTimer;

    // Runs OnTimer for the timer with this identifier (the shared window's procedure calls it).
    static void Fire(uintptr_t id);

  protected:
    void Loaded() override { Update(); }

  private:
    void Update();
    void Stop();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    uintptr_t id_ = 0;
};

}  // namespace tessaline
