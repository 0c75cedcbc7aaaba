#include "controls/Control.h"

#include <algorithm>

namespace tessaline {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    // Tell the form while the chain of parents is whole: what it forgets may lie on this control.
    if (parent_ != nullptr) {
        Invalidate();
        parent_->TopLevel().ControlDestroying(*this);
    }
    for (TControl* child : controls_) {
        child->parent_ = nullptr;
    }
    if (parent_ != nullptr) {
        std::erase(parent_->controls_, this);
    }
}

TControl& TControl::TopLevel() {
    TControl* top = this;
    while (top->parent_ != nullptr) {
        top = top->parent_;
    }
    return *top;
}

TRect TControl::RectInParentForm(const TControl& parent, const TRect& rect) {
    TRect result = rect;
    for (const TControl* p = &parent; p != nullptr && p->parent_ != nullptr; p = p->parent_) {
        result = result.Offset(p->bounds_.Left, p->bounds_.Top);
    }
    return result;
}

void TControl::SetParent(TControl* parent) {
    if (parent == parent_) {
        return;
    }
    // A control cannot lie on itself or on one of the controls lying on it.
    for (const TControl* p = parent; p != nullptr; p = p->parent_) {
        if (p == this) {
            return;
        }
    }
    if (parent_ != nullptr) {
        Invalidate();
        std::erase(parent_->controls_, this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->controls_.push_back(this);
        Invalidate();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    const TRect old = bounds_;
    const TRect next = RectOf(left, top, width, height);
    if (next == old) {
        return;
    }
    Invalidate();
    bounds_ = next;
    Invalidate();
    BoundsChanged(old);
}

TRect TControl::RectInForm() const {
    return parent_ != nullptr ? RectInParentForm(*parent_, bounds_) : ClientRect();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    // Invalidate while visible, so that hiding repaints what the control covered.
    if (visible_) {
        Invalidate();
    }
    visible_ = visible;
    Invalidate();
    VisibleChanged();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_) {
        if (!c->visible_) {
            return false;
        }
    }
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Invalidate();
    }
}

void TControl::SetCaption(const std::wstring& caption) {
    if (caption != caption_) {
        caption_ = caption;
        TextChanged();
    }
}

bool TControl::ShowHint() const {
    if (parentShowHint_ && parent_ != nullptr) {
        return parent_->ShowHint();
    }
    return showHint_;
}

void TControl::SetFont(const TFont& font) {
    if (!(font == font_)) {
        font_ = font;
        FontChanged();
    }
}

void TControl::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Invalidate();
    }
}

void TControl::Invalidate() {
    if (!visible_ || Loading()) {
        return;
    }
    if (parent_ == nullptr) {
        InvalidateRect(ClientRect());
        return;
    }
    parent_->TopLevel().InvalidateRect(RectInForm());
}

void TControl::InvalidateRect(const TRect&) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(*this, button, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(*this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(*this, shift, x, y);
    }
}

void TControl::MouseEnter() {
    if (OnMouseEnter) {
        OnMouseEnter(*this);
    }
}

void TControl::MouseLeave() {
    if (OnMouseLeave) {
        OnMouseLeave(*this);
    }
}

void TControl::Click() {
    if (OnClick) {
        OnClick(*this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        OnDblClick(*this);
    }
}

}  // namespace tessaline
