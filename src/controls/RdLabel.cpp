#include "controls/RdLabel.h"

#include <algorithm>

#include "base/Strings.h"

namespace tessaline {

namespace {

constexpr wchar_t kEllipsis[] = L"...";

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

wchar_t AcceleratorChar(std::wstring_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == L'&') {
            ++i;
            if (caption[i] != L'&') {
                return caption[i];
            }
        }
    }
    return 0;
}

bool IsAccelerator(wchar_t key, std::wstring_view caption) {
    const wchar_t accel = AcceleratorChar(caption);
    return accel != 0 && FoldCase(accel) == FoldCase(key);
}

TRdCustomLabel::TRdCustomLabel(TComponent* owner) : TControl(owner) {
    TControl::SetBounds(0, 0, 65, 17);
}

void TRdCustomLabel::SetFocusControl(TControl* control, TFocusProc focus) {
    if (focusControl_ != nullptr) {
        RemoveFreeNotification(focusControl_);
    }
    focusControl_ = control;
    focus_ = std::move(focus);
    FreeNotification(focusControl_);
}

void TRdCustomLabel::Notification(TComponent* component) {
    TControl::Notification(component);
    if (component == focusControl_) {
        focusControl_ = nullptr;
        focus_ = nullptr;
    }
}

void TRdCustomLabel::SetAlignment(TAlignment alignment) {
    if (alignment != alignment_) {
        alignment_ = alignment;
        Invalidate();
    }
}

void TRdCustomLabel::SetAutoSize(bool autoSize) {
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        ellipsis_ = TEllipsisPosition::epNone;
        AdjustBounds();
    }
}

void TRdCustomLabel::SetEllipsisPosition(TEllipsisPosition position) {
    if (position != ellipsis_) {
        ellipsis_ = position;
        autoSize_ = false;
        Invalidate();
    }
}

void TRdCustomLabel::SetLayout(TTextLayout layout) {
    if (layout != layout_) {
        layout_ = layout;
        Invalidate();
    }
}

void TRdCustomLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap != wordWrap_) {
        wordWrap_ = wordWrap;
        AdjustBounds();
        Invalidate();
    }
}

void TRdCustomLabel::SetShowAccelChar(bool show) {
    if (show != showAccelChar_) {
        showAccelChar_ = show;
        Invalidate();
    }
}

void TRdCustomLabel::SetGlowSize(int size) {
    if (size != glowSize_) {
        glowSize_ = size;
        Invalidate();
    }
}

void TRdCustomLabel::SetTransparent(bool transparent) {
    if (transparent != Transparent()) {
        opaque_ = !transparent;
        Invalidate();
    }
    transparentSet_ = true;
}

void TRdCustomLabel::SetRightToLeft(bool rightToLeft) {
    if (rightToLeft != rightToLeft_) {
        rightToLeft_ = rightToLeft;
        Invalidate();
        AdjustBounds();
    }
}

void TRdCustomLabel::SetConstraints(const TSizeConstraints& constraints) {
    if (!(constraints == constraints_)) {
        constraints_ = constraints;
        SetBounds(Left(), Top(), Width(), Height());
    }
}

TSize TRdCustomLabel::Constrain(int width, int height) const {
    const auto clamp = [](int value, int low, int high) {
        // The minimum wins over a smaller maximum.
        if (low > 0 && value < low) {
            return low;
        }
        return high > 0 && value > high ? high : value;
    };
    return {clamp(width, constraints_.MinWidth, constraints_.MaxWidth),
            clamp(height, constraints_.MinHeight, constraints_.MaxHeight)};
}

void TRdCustomLabel::SetBounds(int left, int top, int width, int height) {
    const TSize size = Constrain(width, height);
    TControl::SetBounds(left, top, size.Width, size.Height);
}

void TRdCustomLabel::TextChanged() {
    Invalidate();
    AdjustBounds();
}

void TRdCustomLabel::FontChanged() {
    Invalidate();
    AdjustBounds();
}

void TRdCustomLabel::SetFocusControlName(std::wstring name, TFocusProc focus) {
    focusControlName_ = std::move(name);
    focus_ = std::move(focus);
}

void TRdCustomLabel::Loaded() {
    TControl::Loaded();
    if (!focusControlName_.empty()) {
        const TComponent* form = this;
        while (form->Owner() != nullptr) {
            form = form->Owner();
        }
        if (auto* control = dynamic_cast<TControl*>(form->FindComponent(focusControlName_))) {
            SetFocusControl(control, focus_);
        }
        focusControlName_.clear();
    }
    AdjustBounds();
}

unsigned TRdCustomLabel::AlignmentFlag() const {
    switch (alignment_) {
        case TAlignment::taRightJustify:
            return kDtRight;
        case TAlignment::taCenter:
            return kDtCenter;
        case TAlignment::taLeftJustify:
            break;
    }
    return kDtLeft;
}

unsigned TRdCustomLabel::BiDiFlags(unsigned flags) const {
    if (!rightToLeft_) {
        return flags;
    }
    // Centred text stays centred; left and right swap.
    if ((flags & kDtRight) != 0) {
        flags &= ~static_cast<unsigned>(kDtRight);
    } else if ((flags & kDtCenter) == 0) {
        flags |= kDtRight;
    }
    return flags | kDtRtlReading;
}

int TRdCustomLabel::Output(ICanvas* canvas, const std::wstring& text, TRect& rect, unsigned flags, TColor color) {
    if (canvas == nullptr) {
        const TDrawTextProc& measure = measureProc_ ? measureProc_ : drawTextProc_;
        return measure ? measure(text, rect, flags) : 0;
    }
    // A custom procedure draws in its own colours.
    return drawTextProc_ ? drawTextProc_(text, rect, flags) : canvas->DrawText(text, rect, flags, color);
}

std::wstring TRdCustomLabel::ShortenByWords(ICanvas* canvas,
                                            const std::wstring& text,
                                            const TRect& rect,
                                            unsigned flags) {
    TRect dots{};
    Output(canvas, kEllipsis, dots, kDtCalcRect | kDtSingleLine | kDtNoPrefix, Font().Color);
    const int dotsWidth = dots.Width();

    std::wstring kept = text;
    std::wstring candidate = text;
    for (;;) {
        TRect probe = rect;
        probe.Right -= dotsWidth;
        Output(canvas, candidate, probe, flags | kDtCalcRect, Font().Color);
        const int height = probe.Height();
        if (height <= Height() || height <= Font().Height) {
            break;
        }
        // Drop the last word with the blank before it; a text without blanks loses its last character, and
        // never half of a surrogate pair.
        size_t cut = kept.find_last_of(L" \t");
        if (cut == std::wstring::npos) {
            cut = kept.size() - 1;
        }
        if (cut > 0 && IsHighSurrogate(kept[cut - 1])) {
            --cut;
        }
        kept.resize(cut);
        candidate = kept + kEllipsis;
        if (kept.empty()) {
            break;
        }
    }
    // Not a single word fits: the whole text goes out with the ellipsis flag, and the platform shortens it.
    return kept.empty() ? text : candidate;
}

int TRdCustomLabel::DoDrawText(ICanvas* canvas, TRect& rect, unsigned flags) {
    std::wstring text = LabelText();
    const bool measuring = (flags & kDtCalcRect) != 0;
    // An empty label (or a lone accelerator mark) still measures one line high.
    if (measuring && (text.empty() || (showAccelChar_ && text == L"&"))) {
        text += L' ';
    }
    if (text.empty()) {
        return 0;
    }
    if (!showAccelChar_) {
        flags |= kDtNoPrefix;
    }
    flags = BiDiFlags(flags);
    if (canvas != nullptr) {
        canvas->SetFont(Font());
    }
    if (ellipsis_ != TEllipsisPosition::epNone && !autoSize_) {
        flags &= ~static_cast<unsigned>(kDtExpandTabs);
        switch (ellipsis_) {
            case TEllipsisPosition::epPathEllipsis:
                flags |= kDtPathEllipsis;
                break;
            case TEllipsisPosition::epEndEllipsis:
                flags |= kDtEndEllipsis;
                break;
            case TEllipsisPosition::epWordEllipsis:
                flags |= kDtWordEllipsis;
                break;
            case TEllipsisPosition::epNone:
                break;
        }
        if (wordWrap_ &&
            (ellipsis_ == TEllipsisPosition::epEndEllipsis || ellipsis_ == TEllipsisPosition::epWordEllipsis)) {
            text = ShortenByWords(canvas, text, rect, flags);
        }
    }
    // Measuring once is enough: the engraved look only matters for output.
    if (measuring || Enabled()) {
        return Output(canvas, text, rect, flags, Font().Color);
    }
    TRect raised = rect.Offset(1, 1);
    Output(canvas, text, raised, flags, DisabledHighlight);
    return Output(canvas, text, rect, flags, DisabledShadow);
}

void TRdCustomLabel::Paint(ICanvas& canvas) {
    TRect rect = ClientRect();
    if (opaque_) {
        TColor fill = Color();
        for (const TControl* p = Parent(); fill == kColorNone && p != nullptr; p = p->Parent()) {
            fill = p->Color();
        }
        if (fill != kColorNone) {
            if (auto* glass = dynamic_cast<IGlassCanvas*>(&canvas); glass != nullptr && glass->OnGlass()) {
                glass->FillRectOpaque(rect, fill);
            } else {
                canvas.FillRect(rect, fill);
            }
        }
    }
    const unsigned style = (wordWrap_ ? kDtWordBreak : 0u) | kDtExpandTabs | AlignmentFlag() | kDtEditControl;
    if (layout_ != TTextLayout::tlTop) {
        TRect measured = rect;
        DoDrawText(&canvas, measured, style | kDtCalcRect);
        const int room = Height() - measured.Bottom;
        rect = rect.Offset(0, layout_ == TTextLayout::tlBottom ? room : room / 2);
    }
    DoDrawText(&canvas, rect, style);
}

void TRdCustomLabel::AdjustBounds() {
    if (!autoSize_ || Loading() || !(measureProc_ || drawTextProc_)) {
        return;
    }
    TRect rect = ClientRect();
    DoDrawText(nullptr, rect,
               kDtExpandTabs | kDtCalcRect | kDtEditControl | (wordWrap_ ? kDtWordBreak : 0u) | AlignmentFlag());
    TAlignment effective = alignment_;
    if (rightToLeft_ && effective != TAlignment::taCenter) {
        effective = effective == TAlignment::taLeftJustify ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
    }
    int left = Left();
    if (effective == TAlignment::taRightJustify) {
        // Grow to the left: the right edge stays where it was.
        left += Width() - Constrain(rect.Right, rect.Bottom).Width;
    }
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

bool TRdCustomLabel::DialogChar(wchar_t key) {
    TControl* target = FocusControl();
    return target != nullptr && Enabled() && showAccelChar_ && IsAccelerator(key, Caption()) && focus_ &&
           focus_(*target);
}

}  // namespace tessaline
