#include "controls/SkinMenuLayout.h"

#include <algorithm>

namespace tessaline {

wchar_t AcceleratorOf(const std::wstring& caption) {
    const size_t amp = caption.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= caption.size()) {
        return 0;
    }
    return caption[amp + 1];
}

bool AcceleratorMatchesKey(wchar_t accelerator, int virtualKey) {
    const bool keyCharacter =
        (accelerator >= L'A' && accelerator <= L'Z') || (accelerator >= L'0' && accelerator <= L'9');
    return keyCharacter && static_cast<int>(accelerator) == virtualKey;
}

TSkinMenuLayout MeasureMenuLevel(const TMenuItem& parent, TSize imageSize, const TMenuTextExtent& textExtent) {
    TSkinMenuLayout layout;
    const size_t count = parent.Count();
    layout.ItemRects.assign(count, TRect{});
    layout.Accelerators.assign(count, 0);
    layout.ItemHeight = std::max(textExtent(L"|", false).Height, imageSize.Height) + 10;

    for (size_t i = 0; i < count; ++i) {
        const TMenuItem& item = *parent.Items(i);
        if (!item.Visible) {
            continue;
        }
        layout.Accelerators[i] = AcceleratorOf(item.Caption());
        const int candidate = textExtent(item.Caption(), item.Default).Width + imageSize.Width + 50;
        layout.Width = std::max(layout.Width, candidate);
        layout.Height += item.IsLine() ? kMenuSeparatorHeight : layout.ItemHeight;
    }

    int y = 2;
    for (size_t i = 0; i < count; ++i) {
        const TMenuItem& item = *parent.Items(i);
        if (!item.Visible) {
            continue;
        }
        const int height = item.IsLine() ? kMenuSeparatorHeight : layout.ItemHeight;
        layout.ItemRects[i] = {2, y, layout.Width - 2, y + height};
        y += height;
    }
    return layout;
}

TPoint PlaceMenuLevel(TPoint at, TSize size, const TRect& monitor, const TSubmenuPlacement* submenu) {
    TPoint place = at;
    if (place.X + size.Width > monitor.Right) {
        place.X = std::max(monitor.Left, place.X - size.Width);
        if (submenu != nullptr) {
            place.X = std::max(monitor.Left, place.X - submenu->ParentWidth);
        }
    }
    if (place.Y + size.Height > monitor.Bottom) {
        place.Y = std::max(monitor.Top, place.Y - size.Height);
        if (submenu != nullptr) {
            place.Y = std::max(monitor.Top, place.Y + submenu->ItemHeight + 2);
        }
    }
    return place;
}

int MenuItemAt(const TMenuItem& parent, const TSkinMenuLayout& layout, TPoint point) {
    const size_t count = std::min(parent.Count(), layout.ItemRects.size());
    for (size_t i = 0; i < count; ++i) {
        const TMenuItem& item = *parent.Items(i);
        if (item.Visible && !item.IsLine() && layout.ItemRects[i].Contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tessaline
