#pragma once
// Text for the pixel canvas through GDI: DrawTextW on the device context that holds the buffer's bitmap, and
// the fonts of form descriptions as GDI fonts (made once per distinct font, kept for the process). UI thread only.

#include <windows.h>

#include "controls/PixelCanvas.h"

namespace tessaline {

HFONT FontHandle(const TFont& font);

class TGdiTextRenderer : public ITextRenderer {
  public:
    explicit TGdiTextRenderer(HDC dc) : dc_(dc) {}
    int DrawText(const TFont& font,
                 const std::wstring& text,
                 TRect& rect,
                 unsigned flags,
                 TColor color,
                 const TRect& clip) override;
    TSize TextExtent(const TFont& font, const std::wstring& text) override;

  private:
    HDC dc_;
};

}  // namespace tessaline
