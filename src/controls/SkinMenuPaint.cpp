#include "controls/SkinMenuPaint.h"

#include <algorithm>

#include "controls/SkinMenuGlyphs.h"

namespace tessaline {

TMenuPaintPlan PlanMenuPaint(const TMenuPaintInput& input) {
    TMenuPaintPlan plan;
    const TSkinMenuLayout& layout = *input.Layout;
    const int width = layout.Width;
    const int height = layout.Height;
    const int imageWidth = input.ImageSize.Width;

    plan.Frame = {0, 0, width, height};
    plan.FrameColor = input.Border;
    plan.Background = input.Background;
    plan.ColumnFrom = {imageWidth + 13, 2};
    plan.ColumnTo = {imageWidth + 13, height - 2};
    plan.SeparatorColor = input.Separator;

    const size_t count = std::min(input.Parent->Count(), layout.ItemRects.size());
    const int hot = input.HotIndex;
    const bool hotValid = hot >= 0 && static_cast<size_t>(hot) < count;
    // The level that has the keys shows its hot item only under the pointer; a parent level keeps showing the
    // item whose submenu is open.
    if (hotValid && (input.PointerInside || hot == input.OpenIndex) && (!input.Active || input.PointerInside)) {
        const TMenuItem& item = *input.Parent->Items(static_cast<size_t>(hot));
        plan.Highlight = true;
        plan.HighlightRect = layout.ItemRects[static_cast<size_t>(hot)];
        plan.RoundedHighlight = input.LightBorder;
        plan.HighlightColor = item.Enabled ? input.HighLight : GrayHighlightColor(input.HighLight);
        plan.HighlightBack = item.Enabled ? input.Background : GrayHighlightColor(input.Background);
    }

    for (size_t i = 0; i < count; ++i) {
        const TMenuItem& item = *input.Parent->Items(i);
        if (!item.Visible) {
            continue;
        }
        const TRect& rect = layout.ItemRects[i];
        TMenuItemPaint paint;
        paint.Index = i;
        const bool highlighted =
            (static_cast<int>(i) == hot && input.PointerInside) || static_cast<int>(i) == input.OpenIndex;
        paint.Font = !item.Enabled ? TMenuFontRole::Disabled
                     : highlighted ? TMenuFontRole::HighLight
                                   : TMenuFontRole::Normal;
        paint.Bold = item.Default;
        paint.GlyphBackground = highlighted ? input.HighLight : input.Background;
        paint.Gray = !item.Enabled;
        paint.TextRect = {rect.Left + imageWidth + 18, rect.Top, rect.Right - 5, rect.Bottom};
        if (item.IsLine()) {
            paint.Separator = true;
            paint.LineFrom = {imageWidth + 15, rect.Top + 1};
            paint.LineTo = {width - 2, rect.Top + 1};
            plan.Items.push_back(paint);
            continue;
        }
        paint.Caption = item.Caption();
        paint.GlyphAt = {rect.Left + 5, rect.Top + 5};
        if (input.HasImages && item.ImageIndex != -1) {
            paint.Glyph = TMenuGlyphKind::Image;
            paint.ImageIndex = item.ImageIndex;
        } else if (item.Checked) {
            paint.Glyph = item.RadioItem ? TMenuGlyphKind::Radio : TMenuGlyphKind::Check;
        }
        if (item.Count() > 0) {
            paint.Arrow = true;
            paint.ArrowAt = {rect.Right - 18, rect.Top + 5};
        }
        plan.Items.push_back(paint);
    }
    return plan;
}

}  // namespace tessaline
