#pragma once
// The skinned menu's built-in 16 x 16 glyphs and its two grey conversions: one for the highlight colours of
// disabled items, one for their images. Pure.

#include <cstdint>
#include <vector>

#include "controls/Font.h"
#include "controls/Picture.h"

namespace tessaline {

enum class TSkinGlyph { Check, Radio, Arrow };

// Black on transparency; built once per process.
const TPicture& BuiltInGlyph(TSkinGlyph glyph);

// trunc(red * 0.3 + green * 0.59 + blue * 0.11) in all three channels, computed exactly.
TColor GrayHighlightColor(TColor color);
// (red * 77 + green * 151 + blue * 28) / 256.
int GrayImageLevel(int red, int green, int blue);

// Device-independent bitmap pixels are 0x00RRGGBB.
inline constexpr uint32_t DibPixelOf(TColor color) {
    return (static_cast<uint32_t>(RedOf(color)) << 16) | (static_cast<uint32_t>(GreenOf(color)) << 8) |
           static_cast<uint32_t>(BlueOf(color));
}
inline constexpr TColor ColorOfDibPixel(uint32_t pixel) {
    return RgbColor(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                    static_cast<int>(pixel & 0xFF));
}
void GrayDibPixels(std::vector<uint32_t>& pixels);

// The picture blended over a solid background, top-down rows of DIB pixels, greyed for disabled items.
std::vector<uint32_t> ComposeGlyph(const TPicture& picture, TColor background, bool gray);
// The colour keyed out when the composed glyph is copied: the background as ComposeGlyph left it, so a greyed
// glyph does not bring a grey box with it.
TColor GlyphTransparentColor(TColor background, bool gray);

}  // namespace tessaline
