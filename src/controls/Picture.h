#pragma once
// A decoded picture as the controls hold it: top-down rows of premultiplied 32-bit pixels (0xAARRGGBB). PNG
// decoding is platform glue (GDI+); everything that stores, copies or selects pictures works on this value.

#include <cstdint>
#include <vector>

namespace tessaline {

struct TPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // Width * Height, premultiplied alpha
    bool HasAlpha = false;         // false: an RGB picture, drawn opaque

    bool Empty() const { return Width <= 0 || Height <= 0 || Pixels.empty(); }
    uint32_t Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    friend bool operator==(const TPicture&, const TPicture&) = default;
};

}  // namespace tessaline
