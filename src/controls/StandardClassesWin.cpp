#include <windows.h>

#include "base/HandlesWin.h"
#include "base/Strings.h"
#include "controls/FormDescription.h"
#include "controls/GdiText.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PLabelNote.h"
#include "controls/PopupMenuWin.h"
#include "controls/StandardClasses.h"
#include "controls/TimerWin.h"
#include "controls/TreeViewWin.h"
#include "controls/WinControlWin.h"

namespace tessaline {
namespace {

std::vector<std::wstring> SplitList(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring> parts;
    if (text.empty()) {
        return parts;
    }
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(Trim(text.substr(start, end == std::wstring_view::npos ? end : end - start)));
        if (end == std::wstring_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

template <typename T>
bool Flag(std::wstring_view value, T& target, void (T::*setter)(bool)) {
    bool flag = false;
    if (!ParsePropertyBool(value, flag)) {
        return false;
    }
    (target.*setter)(flag);
    return true;
}

bool Named(std::wstring_view name, const wchar_t* expected) {
    return EqualsNoCase(name, expected);
}

// Labels measure on the whole screen's device context, with their own font.
TDrawTextProc ScreenMeasurer(TRdCustomLabel& label) {
    return [&label](const std::wstring& text, TRect& rect, unsigned flags) {
        const TWindowDc screen(nullptr);
        const TScopedSelection font(screen.Get(), FontHandle(label.Font()));
        RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
        const int height = ::DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, flags);
        rect = {r.left, r.top, r.right, r.bottom};
        return height;
    };
}

template <typename T>
T* NewLabel(TComponent* owner) {
    auto* label = new T(owner);
    label->SetMeasureProc(ScreenMeasurer(*label));
    label->DisabledHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    label->DisabledShadow = GetSysColor(COLOR_BTNSHADOW);
    return label;
}

// A window control takes the focus when it is visible and enabled; the label's accelerator then moves it there.
bool FocusWinControl(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (windowed == nullptr || windowed->Handle() == nullptr || !IsWindowVisible(windowed->Handle()) ||
        !IsWindowEnabled(windowed->Handle())) {
        return false;
    }
    return ::SetFocus(windowed->Handle()) != nullptr || GetFocus() == windowed->Handle();
}

bool SetLabelProperty(TRdCustomLabel& label, std::wstring_view name, std::wstring_view value) {
    if (Named(name, L"FocusControl")) {
        label.SetFocusControlName(std::wstring(value), FocusWinControl);
        return true;
    }
    if (Named(name, L"Alignment")) {
        if (Named(value, L"taLeftJustify")) {
            label.SetAlignment(TAlignment::taLeftJustify);
        } else if (Named(value, L"taRightJustify")) {
            label.SetAlignment(TAlignment::taRightJustify);
        } else if (Named(value, L"taCenter")) {
            label.SetAlignment(TAlignment::taCenter);
        } else {
            return false;
        }
        return true;
    }
    if (Named(name, L"Layout")) {
        if (Named(value, L"tlTop")) {
            label.SetLayout(TTextLayout::tlTop);
        } else if (Named(value, L"tlCenter")) {
            label.SetLayout(TTextLayout::tlCenter);
        } else if (Named(value, L"tlBottom")) {
            label.SetLayout(TTextLayout::tlBottom);
        } else {
            return false;
        }
        return true;
    }
    if (Named(name, L"EllipsisPosition")) {
        static const std::pair<const wchar_t*, TEllipsisPosition> kPositions[] = {
            {L"epNone", TEllipsisPosition::epNone},
            {L"epPathEllipsis", TEllipsisPosition::epPathEllipsis},
            {L"epEndEllipsis", TEllipsisPosition::epEndEllipsis},
            {L"epWordEllipsis", TEllipsisPosition::epWordEllipsis},
        };
        for (const auto& [text, position] : kPositions) {
            if (Named(value, text)) {
                label.SetEllipsisPosition(position);
                return true;
            }
        }
        return false;
    }
    if (Named(name, L"AutoSize")) {
        return Flag(value, label, &TRdCustomLabel::SetAutoSize);
    }
    if (Named(name, L"WordWrap")) {
        return Flag(value, label, &TRdCustomLabel::SetWordWrap);
    }
    if (Named(name, L"Transparent")) {
        return Flag(value, label, &TRdCustomLabel::SetTransparent);
    }
    if (Named(name, L"ShowAccelChar")) {
        return Flag(value, label, &TRdCustomLabel::SetShowAccelChar);
    }
    return false;
}

bool SetImageNoteProperty(TImageNote& image,
                          std::wstring_view name,
                          std::wstring_view value,
                          const TPropertyContext& context) {
    int number = 0;
    if (Named(name, L"Picture")) {
        if (!context.Pictures) {
            return false;
        }
        image.SetPicture(context.Pictures(std::wstring(value)));
        return true;
    }
    if (Named(name, L"Items")) {
        if (!context.Pictures) {
            return false;
        }
        for (const std::wstring& picture : SplitList(value, L',')) {
            image.Items().Add().SetPicture(context.Pictures(picture));
        }
        return true;
    }
    if (Named(name, L"ImageIndex") && ParsePropertyInt(value, number)) {
        image.SetImageIndex(number);
        return true;
    }
    if (Named(name, L"AutoSize")) {
        return Flag(value, image, &TImageNote::SetAutoSize);
    }
    if (Named(name, L"Stretch")) {
        return Flag(value, image, &TImageNote::SetStretch);
    }
    if (Named(name, L"Transparent")) {
        return Flag(value, image, &TImageNote::SetTransparent);
    }
    if (Named(name, L"Locked")) {
        return Flag(value, image, &TImageNote::SetLocked);
    }
    return false;
}

bool SetTreeViewProperty(TTreeView& tree, std::wstring_view name, std::wstring_view value) {
    int number = 0;
    bool flag = false;
    if (Named(name, L"ItemHeight") && ParsePropertyInt(value, number)) {
        tree.SetItemHeight(number);
        return true;
    }
    if (Named(name, L"BorderStyle")) {
        if (!Named(value, L"bsNone") && !Named(value, L"bsSingle")) {
            return false;
        }
        tree.ShowBorder = Named(value, L"bsSingle");
        return true;
    }
    if (!ParsePropertyBool(value, flag)) {
        return false;
    }
    static const std::pair<const wchar_t*, bool TTreeView::*> kFlags[] = {
        {L"ShowLines", &TTreeView::ShowLines}, {L"ShowButtons", &TTreeView::ShowButtons},
        {L"ShowRoot", &TTreeView::ShowRoot},   {L"HotTrack", &TTreeView::HotTrack},
        {L"RowSelect", &TTreeView::RowSelect}, {L"ToolTips", &TTreeView::ToolTips},
    };
    for (const auto& [text, member] : kFlags) {
        if (Named(name, text)) {
            tree.*member = flag;
            return true;
        }
    }
    return false;
}

bool SetMenuItemProperty(TMenuItem& item,
                         std::wstring_view name,
                         std::wstring_view value,
                         const TPropertyContext& context) {
    int number = 0;
    bool flag = false;
    if (Named(name, L"Caption")) {
        item.SetCaption(std::wstring(value));
        return true;
    }
    if (Named(name, L"Menu") || Named(name, L"ParentItem")) {
        TComponent* target = context.Form != nullptr ? context.Form->FindComponent(std::wstring(value)) : nullptr;
        if (auto* menu = dynamic_cast<TPopupMenu*>(target); menu != nullptr && Named(name, L"Menu")) {
            menu->Items().Add(&item);
            return true;
        }
        if (auto* parent = dynamic_cast<TMenuItem*>(target); parent != nullptr && Named(name, L"ParentItem")) {
            parent->Add(&item);
            return true;
        }
        return false;
    }
    if (Named(name, L"ImageIndex") && ParsePropertyInt(value, number)) {
        item.ImageIndex = number;
        return true;
    }
    if (!ParsePropertyBool(value, flag)) {
        return false;
    }
    static const std::pair<const wchar_t*, bool TMenuItem::*> kFlags[] = {
        {L"Checked", &TMenuItem::Checked}, {L"RadioItem", &TMenuItem::RadioItem}, {L"Default", &TMenuItem::Default},
        {L"Enabled", &TMenuItem::Enabled}, {L"Visible", &TMenuItem::Visible},
    };
    for (const auto& [text, member] : kFlags) {
        if (Named(name, text)) {
            item.*member = flag;
            return true;
        }
    }
    return false;
}

}  // namespace

void RegisterStandardClasses() {
    static const bool registered = [] {
        RegisterComponentClass(
            L"TImageNote", [](TComponent* owner) { return new TImageNote(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext& context) {
                return SetImageNoteProperty(static_cast<TImageNote&>(c), name, value, context);
            });
        const TPropertySetter labelSetter = [](TComponent& c, std::wstring_view name, std::wstring_view value,
                                               const TPropertyContext&) {
            return SetLabelProperty(static_cast<TRdCustomLabel&>(c), name, value);
        };
        RegisterComponentClass(
            L"TLabel", [](TComponent* owner) { return NewLabel<TLabel>(owner); }, labelSetter);
        RegisterComponentClass(
            L"TRdLabel", [](TComponent* owner) { return NewLabel<TRdLabel>(owner); }, labelSetter);
        RegisterComponentClass(
            L"TLabelNote", [](TComponent* owner) { return NewLabel<TLabelNote>(owner); },
            [labelSetter](TComponent& c, std::wstring_view name, std::wstring_view value,
                          const TPropertyContext& context) {
                auto& note = static_cast<TLabelNote&>(c);
                int number = 0;
                if (Named(name, L"Items")) {
                    for (const std::wstring& text : SplitList(value, L'|')) {
                        note.Items().Add().Text = text;
                    }
                    return true;
                }
                if (Named(name, L"TextIndex") && ParsePropertyInt(value, number)) {
                    note.SetTextIndex(number);
                    return true;
                }
                return labelSetter(c, name, value, context);
            });
        RegisterComponentClass(
            L"TEdit", [](TComponent* owner) { return new TEdit(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext&) {
                if (!Named(name, L"Text")) {
                    return false;
                }
                static_cast<TEdit&>(c).SetText(std::wstring(value));
                return true;
            });
        RegisterComponentClass(L"TButton", [](TComponent* owner) { return new TButton(owner); });
        RegisterComponentClass(
            L"TCheckBox", [](TComponent* owner) { return new TCheckBox(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext&) {
                return Named(name, L"Checked") && Flag(value, static_cast<TCheckBox&>(c), &TCheckBox::SetChecked);
            });
        RegisterComponentClass(L"TGroupBox", [](TComponent* owner) { return new TGroupBox(owner); });
        RegisterComponentClass(
            L"TComboBox", [](TComponent* owner) { return new TComboBox(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext&) {
                auto& combo = static_cast<TComboBox&>(c);
                int number = 0;
                if (Named(name, L"Items")) {
                    for (const std::wstring& text : SplitList(value, L'|')) {
                        combo.AddItem(text);
                    }
                    return true;
                }
                if (Named(name, L"ItemIndex") && ParsePropertyInt(value, number)) {
                    combo.SetItemIndex(number);
                    return true;
                }
                return false;
            });
        RegisterComponentClass(
            L"TTreeView", [](TComponent* owner) { return new TTreeView(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext&) {
                return SetTreeViewProperty(static_cast<TTreeView&>(c), name, value);
            });
        RegisterComponentClass(
            L"TTimer", [](TComponent* owner) { return new TTimer(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext&) {
                auto& timer = static_cast<TTimer&>(c);
                int number = 0;
                if (Named(name, L"Interval") && ParsePropertyInt(value, number) && number >= 0) {
                    timer.SetInterval(static_cast<unsigned>(number));
                    return true;
                }
                return Named(name, L"Enabled") && Flag(value, timer, &TTimer::SetEnabled);
            });
        RegisterComponentClass(L"TPopupMenu", [](TComponent* owner) { return new TPopupMenu(owner); });
        RegisterComponentClass(
            L"TMenuItem", [](TComponent* owner) { return new TMenuItem(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext& context) {
                return SetMenuItemProperty(static_cast<TMenuItem&>(c), name, value, context);
            });
        return true;
    }();
    (void)registered;
}

}  // namespace tessaline
