#pragma once
// What one level of the skinned popup menu draws, as plain values: the window glue turns the plan into GDI
// calls. Pure.

#include <string>
#include <vector>

#include "base/Geometry.h"
#include "controls/Font.h"
#include "controls/MenuItem.h"
#include "controls/SkinMenuLayout.h"

namespace tessaline {

enum class TMenuFontRole { Normal, HighLight, Disabled };
enum class TMenuGlyphKind { None, Image, Check, Radio };

struct TMenuItemPaint {
    size_t Index = 0;
    bool Separator = false;
    TPoint LineFrom;  // separator line, end excluded
    TPoint LineTo;
    std::wstring Caption;
    TRect TextRect;
    TMenuFontRole Font = TMenuFontRole::Normal;
    bool Bold = false;
    // Glyphs are drawn onto this colour, which is then keyed out; Gray for disabled items.
    TColor GlyphBackground = kColorWhite;
    bool Gray = false;
    TMenuGlyphKind Glyph = TMenuGlyphKind::None;
    int ImageIndex = -1;
    TPoint GlyphAt;
    bool Arrow = false;
    TPoint ArrowAt;
};

struct TMenuPaintPlan {
    TRect Frame;  // filled with Background inside a 1-pixel FrameColor border
    TColor FrameColor = kColorGray;
    TColor Background = kColorWhite;
    TPoint ColumnFrom;  // the edge of the glyph column, end excluded
    TPoint ColumnTo;
    TColor SeparatorColor = kColorSilver;
    bool Highlight = false;
    TRect HighlightRect;
    // Rounded: a 2 x 2 rounded frame in HighlightColor filled with HighlightBack, then the rectangle inset by
    // 2 filled with HighlightColor. Otherwise HighlightRect filled with HighlightColor.
    bool RoundedHighlight = false;
    TColor HighlightColor = kColorNone;
    TColor HighlightBack = kColorNone;
    std::vector<TMenuItemPaint> Items;
};

struct TMenuPaintInput {
    const TMenuItem* Parent = nullptr;
    const TSkinMenuLayout* Layout = nullptr;
    TSize ImageSize = kMenuDefaultImageSize;
    bool HasImages = false;  // an image list with at least one image
    TColor Background = kColorWhite;
    TColor Border = kColorGray;
    TColor HighLight = kColorNone;
    TColor Separator = kColorSilver;
    bool LightBorder = true;
    int HotIndex = -1;
    int OpenIndex = -1;
    bool PointerInside = false;
    bool Active = false;  // the level that receives the keys
};

TMenuPaintPlan PlanMenuPaint(const TMenuPaintInput& input);

}  // namespace tessaline
