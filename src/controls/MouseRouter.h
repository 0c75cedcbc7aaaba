#pragma once
// The form's hit-testing for its windowless controls: which control lies under the pointer (the last painted,
// so the topmost, visible and enabled one whose rectangle holds it, whatever its picture's alpha), enter and
// leave as the pointer crosses rectangles, capture from button down to button up, and click on a left-button
// release over the control that was pressed. Points are in the form's client coordinates. UI thread only.

#include "controls/Control.h"

namespace tessaline {

class TMouseRouter {
  public:
    explicit TMouseRouter(TControl& form) : form_(form) {}

    TControl* ControlAt(TPoint point) const;
    TControl* Hovered() const { return hovered_; }
    TControl* Captured() const { return captured_; }

    void Move(TPoint point, TShiftState shift);
    void Down(TMouseButton button, TPoint point, TShiftState shift);
    void Up(TMouseButton button, TPoint point, TShiftState shift);
    void DoubleClick(TPoint point);
    // The pointer left the form's window.
    void Leave();
    // Another window took the capture (a modal menu opened on a press, whose loop keeps the release for itself):
    // the press is over without a release or a click.
    void CaptureLost();
    // A control is going away: drop every reference to it (and to what it holds) without events.
    void Forget(const TControl& control);

  private:
    void SetHovered(TControl* control);

    TControl& form_;
    TControl* hovered_ = nullptr;
    TControl* captured_ = nullptr;
    bool pressedLeft_ = false;
};

}  // namespace tessaline
