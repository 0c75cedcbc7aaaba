#pragma once
// Forms are declared as tables of component descriptions and built from them: each row names a registered
// class, the component's name, the control it lies on (empty: the form), its bounds and its other properties
// as text, in the order the form paints them. While a form is built its components are loading: setters
// record values without their side effects, and every component's Loaded runs once the whole table is applied.
// UI thread only.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/Control.h"

namespace tessaline {

struct TPropertyDesc {
    std::wstring_view Name;
    std::wstring_view Value;
};

struct TComponentDesc {
    std::wstring_view Class;
    std::wstring_view Name;
    std::wstring_view Parent;
    TRect Bounds;  // left, top, right, bottom; use RectOf for left, top, width, height
    std::vector<TPropertyDesc> Properties;
};

using TFormDescription = std::vector<TComponentDesc>;

// Where named pictures come from (resources in the programs, a table in tests).
using TPictureSource = std::function<TPicture(const std::wstring& name)>;

struct TPropertyContext {
    TPictureSource Pictures;
    TComponent* Form = nullptr;  // for references by name (popup menus, focus controls)
};

// Applies one property of the common set (Caption, Hint, ShowHint, ParentShowHint, Visible, Enabled, Tag,
// Cursor, Color, Font.Name, Font.Height, Font.Color, Font.Style, PopupMenu). False when the name is not one
// of them or the value does not parse; the control is then unchanged.
bool SetControlProperty(TControl& control,
                        std::wstring_view name,
                        std::wstring_view value,
                        const TPropertyContext& context);

// A component class's properties beyond the common set: true when the name was its own.
using TPropertySetter = std::function<
    bool(TComponent& component, std::wstring_view name, std::wstring_view value, const TPropertyContext& context)>;
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

void RegisterComponentClass(const std::wstring& className, TComponentFactory factory, TPropertySetter setter = {});
bool IsComponentClassRegistered(const std::wstring& className);

// What a build left out: rows skipped and properties not applied, each named ("Row" or "Row.Property").
struct TBuildReport {
    int SkippedRows = 0;
    int IgnoredProperties = 0;
    std::vector<std::wstring> Left;
};

// Builds the description's components into form. A row with an unknown class, or a parent that is not an
// earlier control, is skipped with a trace line; an unknown property or bad value is traced and ignored.
// Returns the number of rows skipped; `report`, when given, is told everything left out.
int BuildForm(TControl& form,
              const TFormDescription& description,
              const TPropertyContext& context,
              TBuildReport* report = nullptr);

// Value parsing shared by the setters: integers, booleans ("True"/"False"), colours ("$00BBGGRR", decimal,
// or the names clBlack, clWhite, clGray, clSilver, clRed, clBlue, clNone).
bool ParsePropertyInt(std::wstring_view text, int& value);
bool ParsePropertyBool(std::wstring_view text, bool& value);
bool ParsePropertyColor(std::wstring_view text, TColor& value);

}  // namespace tessaline
