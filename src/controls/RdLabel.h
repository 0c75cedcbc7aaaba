#pragma once
// The windowless text label of the skinned control set: alignment, vertical layout, word wrap, ellipsis,
// accelerator key, sizing to its text, transparent or opaque background. Every text output and measurement goes
// through a pluggable procedure, so the layout rules run anywhere a measurer does. User-interface thread only.

#include <functional>
#include <string>
#include <string_view>

#include "controls/Control.h"

namespace tessaline {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

// DrawTextW's contract without a device: draws text into rect, or with kDtCalcRect only measures it (right and
// bottom set), and returns the text height. A procedure draws in the label's font; one made for a label reads
// it from that label.
using TDrawTextProc = std::function<int(const std::wstring& text, TRect& rect, unsigned flags)>;
// Gives the control the keyboard focus; false when it cannot take it (hidden, disabled).
using TFocusProc = std::function<bool(TControl& control)>;

// 0 leaves that side free.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    friend bool operator==(const TSizeConstraints&, const TSizeConstraints&) = default;
};

// The character after the first single "&" of a caption ("&&" is a literal ampersand); 0 when there is none.
wchar_t AcceleratorChar(std::wstring_view caption);
// Whether a typed character is the caption's accelerator, letter case ignored.
bool IsAccelerator(wchar_t key, std::wstring_view caption);

class TRdCustomLabel : public TControl {
  public:
    explicit TRdCustomLabel(TComponent* owner);

    // The control given the focus on the accelerator key, and how to focus it; cleared when that control is
    // destroyed.
    TControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TControl* control, TFocusProc focus);
    // The focus control by its name in the form description; it is looked up among the form's components once
    // the form is loaded, so it may come after the label.
    void SetFocusControlName(std::wstring name, TFocusProc focus);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // Sizing to the text and an ellipsis exclude each other: each setter switches the other off.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TEllipsisPosition EllipsisPosition() const { return ellipsis_; }
    void SetEllipsisPosition(TEllipsisPosition position);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    // Stored and repainted; drawing ignores it.
    int GlowSize() const { return glowSize_; }
    void SetGlowSize(int size);
    // A new label is transparent. TransparentSet tells whether Transparent was ever assigned: the form
    // description stores it only then.
    bool Transparent() const { return !opaque_; }
    void SetTransparent(bool transparent);
    bool TransparentSet() const { return transparentSet_; }
    // Right-to-left reading; the alignment flips with it.
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool rightToLeft);
    const TSizeConstraints& Constraints() const { return constraints_; }
    void SetConstraints(const TSizeConstraints& constraints);

    // Empty: painting draws and measures on the canvas it is given.
    void SetDrawTextProc(TDrawTextProc proc) { drawTextProc_ = std::move(proc); }
    // Measuring for AdjustBounds, outside painting (the glue measures on a screen device context). Empty: the
    // text-drawing procedure; with neither the label cannot size itself.
    void SetMeasureProc(TDrawTextProc proc) { measureProc_ = std::move(proc); }

    // The system's button highlight and shadow, for the engraved look of a disabled label; the glue may set
    // the live values.
    TColor DisabledHighlight = kColorWhite;
    TColor DisabledShadow = RgbColor(160, 160, 160);

    // The text all drawing uses.
    virtual std::wstring LabelText() const { return Caption(); }

    void SetBounds(int left, int top, int width, int height) override;
    void Paint(ICanvas& canvas) override;
    // Draws (or with kDtCalcRect measures) the label text into rect; a null canvas measures through the
    // measuring procedure. Returns the text height. (Not "DrawText": <windows.h> renames that in the glue.)
    int DoDrawText(ICanvas* canvas, TRect& rect, unsigned flags);
    // Fits the bounds to the text when AutoSize is on; a right-justified label grows to the left.
    void AdjustBounds();
    // A dialog character: focuses FocusControl on the caption's accelerator. True when handled.
    bool DialogChar(wchar_t key);

  protected:
    void Notification(TComponent* component) override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;

  private:
    unsigned AlignmentFlag() const;
    unsigned BiDiFlags(unsigned flags) const;
    int Output(ICanvas* canvas, const std::wstring& text, TRect& rect, unsigned flags, TColor color);
    std::wstring ShortenByWords(ICanvas* canvas, const std::wstring& text, const TRect& rect, unsigned flags);
    TSize Constrain(int width, int height) const;

    TControl* focusControl_ = nullptr;
    TFocusProc focus_;
    std::wstring focusControlName_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
    TDrawTextProc drawTextProc_;
    TDrawTextProc measureProc_;
    int glowSize_ = 0;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparentSet_ = false;
    TEllipsisPosition ellipsis_ = TEllipsisPosition::epNone;
    bool opaque_ = false;
    bool rightToLeft_ = false;
    TSizeConstraints constraints_;
};

class TRdLabel : public TRdCustomLabel {
  public:
    using TRdCustomLabel::TRdCustomLabel;
    TComponentKind Kind() const override { return TComponentKind::RdLabel; }
};

}  // namespace tessaline
