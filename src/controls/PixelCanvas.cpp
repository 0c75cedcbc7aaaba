#include "controls/PixelCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace tessaline {
namespace {

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.Right < r.Left) {
        r.Right = r.Left;
    }
    if (r.Bottom < r.Top) {
        r.Bottom = r.Top;
    }
    return r;
}

uint32_t Scale(uint32_t channel, uint32_t factor) {
    // channel * factor / 255, rounded.
    const uint32_t t = channel * factor + 128;
    return (t + (t >> 8)) >> 8;
}

}  // namespace

void TPixelBuffer::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    external_ = nullptr;
    owned_.assign(static_cast<size_t>(width_) * height_, 0);
}

uint32_t BlendOver(uint32_t dest, uint32_t source) {
    const uint32_t alpha = source >> 24;
    if (alpha == 255) {
        return source;
    }
    if (alpha == 0 && (source & 0xFFFFFF) == 0) {
        return dest;
    }
    const uint32_t keep = 255 - alpha;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF;
        const uint32_t d = (dest >> shift) & 0xFF;
        result |= std::min<uint32_t>(255, s + Scale(d, keep)) << shift;
    }
    return result;
}

uint32_t OpaquePixel(TColor color) {
    return 0xFF000000u | (static_cast<uint32_t>(RedOf(color)) << 16) | (static_cast<uint32_t>(GreenOf(color)) << 8) |
           static_cast<uint32_t>(BlueOf(color));
}

TPixelCanvas::TPixelCanvas(TPixelBuffer& buffer, ITextRenderer* text)
    : buffer_(buffer), text_(text), clip_{0, 0, buffer.Width(), buffer.Height()} {}

void TPixelCanvas::SetClip(const TRect& clip) {
    clip_ = Intersect(clip, {0, 0, buffer_.Width(), buffer_.Height()});
}

void TPixelCanvas::Plot(int x, int y, uint32_t pixel) {
    if (clip_.Contains({x, y})) {
        uint32_t& d = buffer_.At(x, y);
        d = BlendOver(d, pixel);
    }
}

void TPixelCanvas::DrawPicture(const TPicture& picture, const TRect& dest, bool stretch) {
    if (picture.Empty() || dest.Width() <= 0 || dest.Height() <= 0 ||
        picture.Pixels.size() < static_cast<size_t>(picture.Width) * static_cast<size_t>(picture.Height)) {
        return;
    }
    const TRect target = ToBuffer(dest);
    const TRect natural = RectOf(target.Left, target.Top, picture.Width, picture.Height);
    const TRect area = Intersect(Intersect(stretch ? target : natural, target), clip_);
    for (int y = area.Top; y < area.Bottom; ++y) {
        // Stretching samples the nearest source pixel: slices of three pixels widen without blurring.
        const int sy = stretch
                           ? static_cast<int>(static_cast<int64_t>(y - target.Top) * picture.Height / target.Height())
                           : y - target.Top;
        uint32_t* row = buffer_.Data() + static_cast<size_t>(y) * buffer_.Width();
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx =
                stretch ? static_cast<int>(static_cast<int64_t>(x - target.Left) * picture.Width / target.Width())
                        : x - target.Left;
            const uint32_t source = picture.Pixel(sx, sy);
            row[x] = picture.HasAlpha ? BlendOver(row[x], source) : (source | 0xFF000000u);
        }
    }
}

void TPixelCanvas::FillRect(const TRect& rect, TColor color) {
    if (color == kColorNone) {
        return;
    }
    const TRect area = Intersect(ToBuffer(rect), clip_);
    const uint32_t pixel = OpaquePixel(color);
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::fill_n(buffer_.Data() + static_cast<size_t>(y) * buffer_.Width() + area.Left, area.Width(), pixel);
    }
}

void TPixelCanvas::FrameRect(const TRect& rect, TColor color) {
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1}, color);
    FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, color);
    FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, color);
    FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, color);
}

void TPixelCanvas::Line(TPoint from, TPoint to, TColor color) {
    // Like the platform's LineTo: the end point itself is not drawn.
    const uint32_t pixel = OpaquePixel(color);
    int x = from.X + origin_.X;
    int y = from.Y + origin_.Y;
    const int x1 = to.X + origin_.X;
    const int y1 = to.Y + origin_.Y;
    const int dx = std::abs(x1 - x);
    const int dy = -std::abs(y1 - y);
    const int sx = x < x1 ? 1 : -1;
    const int sy = y < y1 ? 1 : -1;
    int error = dx + dy;
    while (x != x1 || y != y1) {
        Plot(x, y, pixel);
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

int TPixelCanvas::DrawText(const std::wstring& text, TRect& rect, unsigned flags, TColor color) {
    if (text_ == nullptr) {
        return 0;
    }
    TRect inBuffer = ToBuffer(rect);
    const int height = text_->DrawText(font_, text, inBuffer, flags, color, clip_);
    rect = inBuffer.Offset(-origin_.X, -origin_.Y);
    return height;
}

TSize TPixelCanvas::TextExtent(const std::wstring& text) {
    return text_ != nullptr ? text_->TextExtent(font_, text) : TSize{};
}

}  // namespace tessaline
