#pragma once
// A 32-bit top-down device-independent bitmap: the pixel layout of TPicture and TPixelBuffer, so pictures and
// painted buffers go in and out without conversion. Windows build only.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tessaline {

// A 32-bit top-down DIB section whose pixels the caller reads and writes.
class TDibSection {
  public:
    TDibSection(HDC like, int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    }
    TDibSection(const TDibSection&) = delete;
    TDibSection& operator=(const TDibSection&) = delete;
    ~TDibSection() {
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    bool Ok() const { return bitmap_ != nullptr && bits_ != nullptr; }
    HBITMAP Bitmap() const { return bitmap_; }
    uint32_t* Bits() const { return static_cast<uint32_t*>(bits_); }
    size_t PixelCount() const { return static_cast<size_t>(width_) * static_cast<size_t>(height_); }
    std::vector<uint32_t> Read() const {
        GdiFlush();
        std::vector<uint32_t> pixels(PixelCount());
        std::memcpy(pixels.data(), bits_, pixels.size() * sizeof(uint32_t));
        return pixels;
    }
    void Write(const std::vector<uint32_t>& pixels) {
        GdiFlush();
        std::memcpy(bits_, pixels.data(), std::min(pixels.size(), PixelCount()) * sizeof(uint32_t));
    }

  private:
    int width_;
    int height_;
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace tessaline
