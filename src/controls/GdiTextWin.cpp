#include "controls/GdiText.h"

#include <map>
#include <tuple>

namespace tessaline {
namespace {

struct FontKey {
    std::wstring Name;
    int Height;
    bool Bold;
    bool Italic;
    bool Underline;
    bool operator<(const FontKey& o) const {
        return std::tie(Name, Height, Bold, Italic, Underline) <
               std::tie(o.Name, o.Height, o.Bold, o.Italic, o.Underline);
    }
};

}  // namespace

HFONT FontHandle(const TFont& font) {
    // Forms share a handful of fonts; they live as long as the process, like the stock objects.
    static std::map<FontKey, HFONT> fonts;
    const FontKey key{font.Name, font.Height, font.Bold, font.Italic, font.Underline};
    if (const auto it = fonts.find(key); it != fonts.end()) {
        return it->second;
    }
    HFONT handle = CreateFontW(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic, font.Underline,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str());
    if (handle == nullptr) {
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    fonts.emplace(key, handle);
    return handle;
}

int TGdiTextRenderer::DrawText(const TFont& font,
                               const std::wstring& text,
                               TRect& rect,
                               unsigned flags,
                               TColor color,
                               const TRect& clip) {
    GdiFlush();
    const int saved = SaveDC(dc_);
    SelectObject(dc_, FontHandle(font));
    SetTextColor(dc_, color);
    SetBkMode(dc_, TRANSPARENT);
    IntersectClipRect(dc_, clip.Left, clip.Top, clip.Right, clip.Bottom);
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    const int height = ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags);
    RestoreDC(dc_, saved);
    GdiFlush();
    rect = {r.left, r.top, r.right, r.bottom};
    return height;
}

TSize TGdiTextRenderer::TextExtent(const TFont& font, const std::wstring& text) {
    const int saved = SaveDC(dc_);
    SelectObject(dc_, FontHandle(font));
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    RestoreDC(dc_, saved);
    return {size.cx, size.cy};
}

}  // namespace tessaline
