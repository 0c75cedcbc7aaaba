#pragma once
// Measuring, placing and hit-testing one level of the skinned popup menu. Pure: text sizes come in through a
// callback, monitors as rectangles.

#include <functional>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "controls/MenuItem.h"

namespace tessaline {

// Size of one line of text in the item font; bold for the default item.
using TMenuTextExtent = std::function<TSize(const std::wstring& text, bool bold)>;

inline constexpr int kMenuMinWidth = 120;
inline constexpr int kMenuSeparatorHeight = 3;
// Without an image list the glyph column is sized for 16 x 16 glyphs.
inline constexpr TSize kMenuDefaultImageSize{16, 16};

struct TSkinMenuLayout {
    int Width = kMenuMinWidth;
    int Height = 4;
    int ItemHeight = 0;
    std::vector<TRect> ItemRects;       // one per child item; empty rectangles for invisible ones
    std::vector<wchar_t> Accelerators;  // one per child item; 0 for none
};

// The character after the first "&" of a caption; 0 when there is none or "&" ends the caption.
wchar_t AcceleratorOf(const std::wstring& caption);
// Only characters that are their own virtual-key codes (A-Z, 0-9) can match: a lower-case letter or a sign
// would otherwise answer to a function, numpad or arrow key with the same code.
bool AcceleratorMatchesKey(wchar_t accelerator, int virtualKey);

// Lays out the child items of `parent`.
TSkinMenuLayout MeasureMenuLevel(const TMenuItem& parent, TSize imageSize, const TMenuTextExtent& textExtent);

// Where a level of size `size` opened at `at` goes on `monitor`: moved left by its width when it would pass the
// right edge (a submenu also by its parent's width, so it opens on the parent's left), moved up when it would
// pass the bottom (a submenu then back down by one item, so it ends at the item it belongs to). Never past the
// monitor's left or top edge.
struct TSubmenuPlacement {
    int ParentWidth = 0;
    int ItemHeight = 0;
};
TPoint PlaceMenuLevel(TPoint at, TSize size, const TRect& monitor, const TSubmenuPlacement* submenu);

// The first visible, non-separator child whose rectangle holds the point; -1 for none.
int MenuItemAt(const TMenuItem& parent, const TSkinMenuLayout& layout, TPoint point);

}  // namespace tessaline
