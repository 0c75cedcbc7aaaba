#include "controls/MouseRouter.h"

namespace tessaline {
namespace {

TControl* Hit(const TControl& parent, TPoint point) {
    const auto& children = parent.Controls();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        TControl* child = *it;
        if (child->Windowed() || !child->Visible() || !child->Enabled() || !child->BoundsRect().Contains(point)) {
            continue;
        }
        const TPoint inner{point.X - child->Left(), point.Y - child->Top()};
        if (TControl* deeper = Hit(*child, inner)) {
            return deeper;
        }
        return child;
    }
    return nullptr;
}

bool Holds(const TControl& outer, const TControl* inner) {
    for (const TControl* c = inner; c != nullptr; c = c->Parent()) {
        if (c == &outer) {
            return true;
        }
    }
    return false;
}

TPoint Local(const TControl& control, TPoint point) {
    const TRect r = control.RectInForm();
    return {point.X - r.Left, point.Y - r.Top};
}

}  // namespace

TControl* TMouseRouter::ControlAt(TPoint point) const {
    return Hit(form_, point);
}

void TMouseRouter::SetHovered(TControl* control) {
    if (control == hovered_) {
        return;
    }
    // The handlers may hide or move controls; the next move finds the new state.
    TControl* old = hovered_;
    hovered_ = control;
    if (old != nullptr) {
        old->MouseLeave();
    }
    if (control != nullptr && hovered_ == control) {
        control->MouseEnter();
    }
}

void TMouseRouter::Move(TPoint point, TShiftState shift) {
    SetHovered(ControlAt(point));
    if (TControl* target = captured_ != nullptr ? captured_ : hovered_) {
        const TPoint local = Local(*target, point);
        target->MouseMove(shift, local.X, local.Y);
    }
}

void TMouseRouter::Down(TMouseButton button, TPoint point, TShiftState shift) {
    SetHovered(ControlAt(point));
    TControl* target = hovered_;
    if (target == nullptr) {
        return;
    }
    captured_ = target;
    pressedLeft_ = button == TMouseButton::Left;
    const TPoint local = Local(*target, point);
    target->MouseDown(button, shift, local.X, local.Y);
}

void TMouseRouter::Up(TMouseButton button, TPoint point, TShiftState shift) {
    TControl* target = captured_ != nullptr ? captured_ : ControlAt(point);
    const bool click = button == TMouseButton::Left && pressedLeft_ && captured_ != nullptr;
    captured_ = nullptr;
    pressedLeft_ = false;
    if (target == nullptr) {
        return;
    }
    const TPoint local = Local(*target, point);
    target->MouseUp(button, shift, local.X, local.Y);
    // The up handler may have hidden the control; a click needs it still under the pointer.
    if (click && ControlAt(point) == target) {
        target->Click();
    }
    SetHovered(ControlAt(point));
}

void TMouseRouter::DoubleClick(TPoint point) {
    if (TControl* target = ControlAt(point)) {
        target->DblClick();
    }
}

void TMouseRouter::Leave() {
    if (captured_ == nullptr) {
        SetHovered(nullptr);
    }
}

void TMouseRouter::CaptureLost() {
    captured_ = nullptr;
    pressedLeft_ = false;
}

void TMouseRouter::Forget(const TControl& control) {
    if (Holds(control, hovered_)) {
        hovered_ = nullptr;
    }
    if (Holds(control, captured_)) {
        captured_ = nullptr;
        pressedLeft_ = false;
    }
}

}  // namespace tessaline
