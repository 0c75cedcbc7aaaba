#pragma once
// A canvas over a buffer of premultiplied 32-bit pixels: the form paints its windowless controls into one and
// copies it to the screen. Pictures are blended with per-pixel alpha here, in plain code, so the result is the
// same on every platform; text is the one thing handed to a platform text renderer.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Canvas.h"

namespace tessaline {

// Draws and measures text into the canvas's pixels (the platform's DrawTextW on the buffer's device context).
class ITextRenderer {
  public:
    virtual ~ITextRenderer() = default;
    // rect is in buffer coordinates; clip is the buffer rectangle drawing must stay inside.
    virtual int DrawText(const TFont& font,
                         const std::wstring& text,
                         TRect& rect,
                         unsigned flags,
                         TColor color,
                         const TRect& clip) = 0;
    virtual TSize TextExtent(const TFont& font, const std::wstring& text) = 0;
};

class TPixelBuffer {
  public:
    TPixelBuffer() = default;
    TPixelBuffer(int width, int height) { Resize(width, height); }
    // A buffer over pixels owned elsewhere (a DIB section); they must outlive the buffer.
    TPixelBuffer(int width, int height, uint32_t* pixels) : width_(width), height_(height), external_(pixels) {}

    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Data() { return external_ != nullptr ? external_ : owned_.data(); }
    const uint32_t* Data() const { return external_ != nullptr ? external_ : owned_.data(); }
    uint32_t At(int x, int y) const { return Data()[static_cast<size_t>(y) * width_ + x]; }
    uint32_t& At(int x, int y) { return Data()[static_cast<size_t>(y) * width_ + x]; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> owned_;
    uint32_t* external_ = nullptr;
};

// Premultiplied source over premultiplied destination.
uint32_t BlendOver(uint32_t dest, uint32_t source);
// An opaque premultiplied pixel of a colour (0x00BBGGRR).
uint32_t OpaquePixel(TColor color);

// On glass the buffer's pixels are what the desktop composes: a fill sets them opaque, which is all a buffered
// paint made opaque would do.
class TPixelCanvas : public ICanvas, public IGlassCanvas {
  public:
    TPixelCanvas(TPixelBuffer& buffer, ITextRenderer* text);

    void SetOnGlass(bool onGlass) { onGlass_ = onGlass; }
    bool OnGlass() const override { return onGlass_; }
    void FillRectOpaque(const TRect& rect, TColor color) override { FillRect(rect, color); }

    // Moves the origin to a control's corner and limits drawing to its rectangle (both in buffer coordinates).
    void SetOrigin(TPoint origin) { origin_ = origin; }
    void SetClip(const TRect& clip);
    TRect Clip() const { return clip_; }

    void DrawPicture(const TPicture& picture, const TRect& dest, bool stretch) override;
    void FillRect(const TRect& rect, TColor color) override;
    void FrameRect(const TRect& rect, TColor color) override;
    void Line(TPoint from, TPoint to, TColor color) override;
    void SetFont(const TFont& font) override { font_ = font; }
    int DrawText(const std::wstring& text, TRect& rect, unsigned flags, TColor color) override;
    TSize TextExtent(const std::wstring& text) override;

  private:
    TRect ToBuffer(const TRect& r) const { return r.Offset(origin_.X, origin_.Y); }
    void Plot(int x, int y, uint32_t pixel);

    TPixelBuffer& buffer_;
    ITextRenderer* text_;
    TPoint origin_;
    TRect clip_;
    TFont font_;
    bool onGlass_ = false;
};

}  // namespace tessaline
