#pragma once
// A font as a form description gives it. Height follows the platform rule: negative = character height in
// pixels, positive = cell height.

#include <cstdint>
#include <string>

namespace tessaline {

// Colours are 0x00BBGGRR values, as the platform's COLORREF.
using TColor = uint32_t;

constexpr TColor kColorBlack = 0x000000;
constexpr TColor kColorWhite = 0xFFFFFF;
constexpr TColor kColorGray = 0x808080;
constexpr TColor kColorSilver = 0xC0C0C0;
// "No colour": the control inherits or paints nothing.
constexpr TColor kColorNone = 0x1FFFFFFF;

inline constexpr TColor RgbColor(int red, int green, int blue) {
    return static_cast<TColor>(red & 0xFF) | (static_cast<TColor>(green & 0xFF) << 8) |
           (static_cast<TColor>(blue & 0xFF) << 16);
}
inline constexpr int RedOf(TColor c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int GreenOf(TColor c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int BlueOf(TColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

struct TFont {
    std::wstring Name = L"Segoe UI";
    int Height = -12;
    TColor Color = kColorBlack;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace tessaline
