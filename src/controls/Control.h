#pragma once
// A visual component: bounds inside its parent, visibility, texts, font, events. Windowless controls (pictures,
// labels) are painted by the form that holds them through Paint; windowed controls wrap a real child window
// and leave painting to it. User-interface thread only.

#include <functional>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "controls/Canvas.h"
#include "controls/Component.h"
#include "controls/Font.h"

namespace tessaline {

class ICanvas;
class TControl;

enum class TMouseButton { Left, Right, Middle };

struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool Left = false;
    bool Right = false;
    bool Middle = false;
};

// The shared cursor table maps these to the system's cursors.
enum class TCursor { Default, Arrow, HandPoint, IBeam, Wait };

using TNotifyEvent = std::function<void(TControl& sender)>;
using TMouseEvent = std::function<void(TControl& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl& sender, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The control this one lies on; its bounds are relative to the parent's client area. Children are kept in
    // the order they were parented, which is the painting order (later ones paint over earlier ones).
    TControl* Parent() const { return parent_; }
    void SetParent(TControl* parent);
    const std::vector<TControl*>& Controls() const { return controls_; }

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    TRect BoundsRect() const { return bounds_; }
    TRect ClientRect() const { return {0, 0, bounds_.Width(), bounds_.Height()}; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    // The control's rectangle in the coordinates of the top-level control (the form's client area).
    TRect RectInForm() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Visible itself and every parent visible.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    std::wstring Caption() const override { return caption_; }
    void SetCaption(const std::wstring& caption) override;
    std::wstring Hint() const override { return hint_; }
    void SetHint(const std::wstring& hint) override { hint_ = hint; }
    bool ShowHint() const override;
    void SetShowHint(bool show) {
        showHint_ = show;
        parentShowHint_ = false;
    }
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value) { parentShowHint_ = value; }

    const TFont& Font() const { return font_; }
    virtual void SetFont(const TFont& font);
    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);
    TCursor Cursor = TCursor::Default;
    TComponent* PopupMenu = nullptr;  // borrowed; the form owns it

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Windowless controls are painted by their form, inside their own rectangle (the canvas origin is the
    // control's top-left corner and drawing is clipped to it).
    virtual bool Windowed() const { return false; }
    virtual void Paint(ICanvas&) {}
    // Asks the form to repaint this control's rectangle.
    void Invalidate();
    // Called on the top-level control with a rectangle in its client coordinates; the form glue repaints.
    virtual void InvalidateRect(const TRect& rect);
    // Called on the top-level control when a control under it is destroyed (the form forgets its pointers).
    virtual void ControlDestroying(const TControl&) {}
    // The top-level control this one lies on (itself when it has no parent).
    TControl& TopLevel();

    // Mouse input, in the control's own coordinates, from the form's hit-testing. Fire the events by default.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Click();
    virtual void DblClick();

  protected:
    // Hooks for subclasses; the defaults repaint.
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void BoundsChanged(const TRect& /*old*/) {}
    virtual void VisibleChanged() {}

  private:
    static TRect RectInParentForm(const TControl& parent, const TRect& rect);

    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    TRect bounds_{0, 0, 0, 0};
    bool visible_ = true;
    bool enabled_ = true;
    std::wstring caption_;
    std::wstring hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TFont font_;
    TColor color_ = kColorNone;
};

}  // namespace tessaline
