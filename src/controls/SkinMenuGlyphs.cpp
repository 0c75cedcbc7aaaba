#include "controls/SkinMenuGlyphs.h"

namespace tessaline {
namespace {

constexpr int kGlyphSize = 16;
constexpr uint32_t kOpaqueBlack = 0xFF000000;

// Opaque runs of a glyph: row, first and last column, counted from the top left.
struct TGlyphRun {
    int Row;
    int First;
    int Last;
};

constexpr TGlyphRun kCheckRuns[] = {
    {4, 11, 11}, {5, 10, 11}, {6, 9, 11}, {7, 4, 4},  {7, 8, 10},
    {8, 4, 5},   {8, 7, 9},   {9, 4, 8},  {10, 5, 7}, {11, 6, 6},
};
constexpr TGlyphRun kRadioRuns[] = {
    {5, 6, 9}, {6, 5, 10}, {7, 5, 10}, {8, 5, 10}, {9, 5, 10}, {10, 6, 9},
};
constexpr TGlyphRun kArrowRuns[] = {
    {4, 6, 6}, {5, 6, 7}, {6, 6, 8}, {7, 6, 9}, {8, 6, 8}, {9, 6, 7}, {10, 6, 6},
};

template <size_t N>
TPicture MakeGlyph(const TGlyphRun (&runs)[N]) {
    TPicture picture;
    picture.Width = kGlyphSize;
    picture.Height = kGlyphSize;
    picture.HasAlpha = true;
    picture.Pixels.assign(kGlyphSize * kGlyphSize, 0);
    for (const TGlyphRun& run : runs) {
        for (int x = run.First; x <= run.Last; ++x) {
            picture.Pixels[static_cast<size_t>(run.Row) * kGlyphSize + x] = kOpaqueBlack;
        }
    }
    return picture;
}

uint32_t GrayDibPixel(uint32_t pixel) {
    const auto level = static_cast<uint32_t>(GrayImageLevel(
        static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF), static_cast<int>(pixel & 0xFF)));
    return (level << 16) | (level << 8) | level;
}

}  // namespace

const TPicture& BuiltInGlyph(TSkinGlyph glyph) {
    static const TPicture check = MakeGlyph(kCheckRuns);
    static const TPicture radio = MakeGlyph(kRadioRuns);
    static const TPicture arrow = MakeGlyph(kArrowRuns);
    switch (glyph) {
        case TSkinGlyph::Check:
            return check;
        case TSkinGlyph::Radio:
            return radio;
        case TSkinGlyph::Arrow:
            break;
    }
    return arrow;
}

TColor GrayHighlightColor(TColor color) {
    // Integer hundredths: 255 * (0.3 + 0.59 + 0.11) must stay 255, which floating point does not promise.
    const int level = (RedOf(color) * 30 + GreenOf(color) * 59 + BlueOf(color) * 11) / 100;
    return RgbColor(level, level, level);
}

int GrayImageLevel(int red, int green, int blue) {
    return (red * 77 + green * 151 + blue * 28) / 256;
}

void GrayDibPixels(std::vector<uint32_t>& pixels) {
    for (uint32_t& pixel : pixels) {
        pixel = GrayDibPixel(pixel);
    }
}

std::vector<uint32_t> ComposeGlyph(const TPicture& picture, TColor background, bool gray) {
    std::vector<uint32_t> out;
    if (picture.Empty()) {
        return out;
    }
    out.reserve(picture.Pixels.size());
    const uint32_t back[3] = {static_cast<uint32_t>(RedOf(background)), static_cast<uint32_t>(GreenOf(background)),
                              static_cast<uint32_t>(BlueOf(background))};
    for (uint32_t pixel : picture.Pixels) {
        const uint32_t alpha = picture.HasAlpha ? pixel >> 24 : 255;
        uint32_t result = 0;
        for (int channel = 0; channel < 3; ++channel) {
            const int shift = 16 - 8 * channel;
            // Premultiplied: source + background * (1 - alpha).
            uint32_t value = ((pixel >> shift) & 0xFF) + (back[channel] * (255 - alpha) + 127) / 255;
            result |= (value > 255 ? 255 : value) << shift;
        }
        out.push_back(result);
    }
    if (gray) {
        GrayDibPixels(out);
    }
    return out;
}

TColor GlyphTransparentColor(TColor background, bool gray) {
    return gray ? ColorOfDibPixel(GrayDibPixel(DibPixelOf(background))) : background;
}

}  // namespace tessaline
