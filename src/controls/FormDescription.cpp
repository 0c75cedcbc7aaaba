#include "controls/FormDescription.h"

#include <map>

#include "base/Strings.h"
#include "base/Trace.h"

namespace tessaline {
namespace {

struct ComponentClass {
    TComponentFactory Factory;
    TPropertySetter Setter;
};

std::map<std::wstring, ComponentClass>& Classes() {
    static std::map<std::wstring, ComponentClass> classes;
    return classes;
}

const ComponentClass* FindClass(std::wstring_view name) {
    const auto it = Classes().find(FoldCase(name));
    return it != Classes().end() ? &it->second : nullptr;
}

bool ParseCursor(std::wstring_view text, TCursor& cursor) {
    static const std::pair<const wchar_t*, TCursor> kCursors[] = {
        {L"crDefault", TCursor::Default}, {L"crArrow", TCursor::Arrow},    {L"crHandPoint", TCursor::HandPoint},
        {L"crIBeam", TCursor::IBeam},     {L"crHourGlass", TCursor::Wait},
    };
    for (const auto& [name, value] : kCursors) {
        if (EqualsNoCase(text, name)) {
            cursor = value;
            return true;
        }
    }
    return false;
}

// "[fsBold,fsItalic]" and the like.
bool ParseFontStyle(std::wstring_view text, TFont& font) {
    if (text.size() < 2 || text.front() != L'[' || text.back() != L']') {
        return false;
    }
    TFont result = font;
    result.Bold = result.Italic = result.Underline = false;
    std::wstring_view rest = text.substr(1, text.size() - 2);
    while (!rest.empty()) {
        const size_t comma = rest.find(L',');
        const std::wstring style = Trim(std::wstring(rest.substr(0, comma)));
        rest = comma == std::wstring_view::npos ? std::wstring_view{} : rest.substr(comma + 1);
        if (EqualsNoCase(style, L"fsBold")) {
            result.Bold = true;
        } else if (EqualsNoCase(style, L"fsItalic")) {
            result.Italic = true;
        } else if (EqualsNoCase(style, L"fsUnderline")) {
            result.Underline = true;
        } else if (!style.empty()) {
            return false;
        }
    }
    font = result;
    return true;
}

}  // namespace

bool ParsePropertyInt(std::wstring_view text, int& value) {
    const auto parsed = ParseInt32(text);
    if (!parsed) {
        return false;
    }
    value = *parsed;
    return true;
}

bool ParsePropertyBool(std::wstring_view text, bool& value) {
    if (EqualsNoCase(text, L"True")) {
        value = true;
        return true;
    }
    if (EqualsNoCase(text, L"False")) {
        value = false;
        return true;
    }
    return false;
}

bool ParsePropertyColor(std::wstring_view text, TColor& value) {
    static const std::pair<const wchar_t*, TColor> kColors[] = {
        {L"clBlack", kColorBlack},         {L"clWhite", kColorWhite},       {L"clGray", kColorGray},
        {L"clSilver", kColorSilver},       {L"clRed", RgbColor(255, 0, 0)}, {L"clBlue", RgbColor(0, 0, 255)},
        {L"clGreen", RgbColor(0, 128, 0)}, {L"clNone", kColorNone},
    };
    for (const auto& [name, color] : kColors) {
        if (EqualsNoCase(text, name)) {
            value = color;
            return true;
        }
    }
    const auto parsed = ParseInt32(text);
    if (!parsed || *parsed < 0 || *parsed > 0xFFFFFF) {
        return false;
    }
    value = static_cast<TColor>(*parsed);
    return true;
}

bool SetControlProperty(TControl& control,
                        std::wstring_view name,
                        std::wstring_view value,
                        const TPropertyContext& context) {
    bool flag = false;
    int number = 0;
    TColor color = 0;
    TFont font = control.Font();
    if (EqualsNoCase(name, L"Caption")) {
        control.SetCaption(std::wstring(value));
    } else if (EqualsNoCase(name, L"Hint")) {
        control.SetHint(std::wstring(value));
    } else if (EqualsNoCase(name, L"ShowHint") && ParsePropertyBool(value, flag)) {
        control.SetShowHint(flag);
    } else if (EqualsNoCase(name, L"ParentShowHint") && ParsePropertyBool(value, flag)) {
        control.SetParentShowHint(flag);
    } else if (EqualsNoCase(name, L"Visible") && ParsePropertyBool(value, flag)) {
        control.SetVisible(flag);
    } else if (EqualsNoCase(name, L"Enabled") && ParsePropertyBool(value, flag)) {
        control.SetEnabled(flag);
    } else if (EqualsNoCase(name, L"Tag") && ParsePropertyInt(value, number)) {
        control.Tag = number;
    } else if (EqualsNoCase(name, L"Cursor")) {
        return ParseCursor(value, control.Cursor);
    } else if (EqualsNoCase(name, L"Color") && ParsePropertyColor(value, color)) {
        control.SetColor(color);
    } else if (EqualsNoCase(name, L"Font.Name") && !value.empty()) {
        font.Name = std::wstring(value);
        control.SetFont(font);
    } else if (EqualsNoCase(name, L"Font.Height") && ParsePropertyInt(value, number)) {
        font.Height = number;
        control.SetFont(font);
    } else if (EqualsNoCase(name, L"Font.Color") && ParsePropertyColor(value, color)) {
        font.Color = color;
        control.SetFont(font);
    } else if (EqualsNoCase(name, L"Font.Style") && ParseFontStyle(value, font)) {
        control.SetFont(font);
    } else if (EqualsNoCase(name, L"PopupMenu") && context.Form != nullptr) {
        TComponent* menu = context.Form->FindComponent(std::wstring(value));
        if (menu == nullptr) {
            return false;
        }
        control.PopupMenu = menu;
    } else {
        return false;
    }
    return true;
}

void RegisterComponentClass(const std::wstring& className, TComponentFactory factory, TPropertySetter setter) {
    Classes()[FoldCase(className)] = ComponentClass{std::move(factory), std::move(setter)};
}

bool IsComponentClassRegistered(const std::wstring& className) {
    return FindClass(className) != nullptr;
}

int BuildForm(TControl& form,
              const TFormDescription& description,
              const TPropertyContext& context,
              TBuildReport* report) {
    TBuildReport unused;
    TBuildReport& told = report != nullptr ? *report : unused;
    TPropertyContext local = context;
    if (local.Form == nullptr) {
        local.Form = &form;
    }
    int skipped = 0;
    form.BeginLoading();
    for (const TComponentDesc& row : description) {
        const ComponentClass* cls = FindClass(row.Class);
        TControl* parent = &form;
        if (!row.Parent.empty()) {
            parent = dynamic_cast<TControl*>(form.FindComponent(std::wstring(row.Parent)));
        }
        if (cls == nullptr || parent == nullptr) {
            Trace(L"BuildForm: skipped ", std::wstring(row.Name), L" (", std::wstring(row.Class), L")");
            ++skipped;
            ++told.SkippedRows;
            told.Left.push_back(std::wstring(row.Name));
            continue;
        }
        TComponent* component = cls->Factory(&form);
        if (component == nullptr) {
            ++skipped;
            ++told.SkippedRows;
            told.Left.push_back(std::wstring(row.Name));
            continue;
        }
        component->BeginLoading();
        component->SetName(std::wstring(row.Name));
        auto* control = dynamic_cast<TControl*>(component);
        if (control != nullptr) {
            control->SetParent(parent);
            control->SetBounds(row.Bounds.Left, row.Bounds.Top, row.Bounds.Width(), row.Bounds.Height());
        }
        for (const TPropertyDesc& property : row.Properties) {
            const bool own = cls->Setter && cls->Setter(*component, property.Name, property.Value, local);
            if (!own && (control == nullptr || !SetControlProperty(*control, property.Name, property.Value, local))) {
                Trace(L"BuildForm: ", std::wstring(row.Name), L": property not applied: ", std::wstring(property.Name),
                      L" = ", std::wstring(property.Value));
                ++told.IgnoredProperties;
                told.Left.push_back(std::wstring(row.Name) + L"." + std::wstring(property.Name));
            }
        }
    }
    form.EndLoading();
    return skipped;
}

}  // namespace tessaline
