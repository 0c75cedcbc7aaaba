#pragma once
// What a windowless control draws on. The form implements it over a 32-bit device-independent bitmap with
// per-pixel alpha (GDI, GDI+); tests implement it over a plain pixel buffer and a fixed-width text measurer.

#include <string>

#include "base/Geometry.h"
#include "controls/Font.h"
#include "controls/Picture.h"

// <windows.h> maps DrawText to DrawTextW; the canvas's method keeps its own name (Win32 code calls DrawTextW).
#ifdef DrawText
#undef DrawText
#endif

namespace tessaline {

// The text-drawing flags keep the platform's DrawTextW values.
enum TDrawTextFlags : unsigned {
    kDtLeft = 0x0,
    kDtCenter = 0x1,
    kDtRight = 0x2,
    kDtVCenter = 0x4,
    kDtSingleLine = 0x20,
    kDtWordBreak = 0x10,
    kDtExpandTabs = 0x40,
    kDtCalcRect = 0x400,
    kDtNoPrefix = 0x800,
    kDtEditControl = 0x2000,
    kDtPathEllipsis = 0x4000,
    kDtEndEllipsis = 0x8000,
    kDtRtlReading = 0x20000,
    kDtWordEllipsis = 0x40000,
};

class ICanvas {
  public:
    virtual ~ICanvas() = default;

    // Blends the picture into dest (per-pixel alpha; an RGB picture is opaque). Without stretch the picture
    // keeps its size at dest's top-left corner and is clipped to dest.
    virtual void DrawPicture(const TPicture& picture, const TRect& dest, bool stretch) = 0;
    virtual void FillRect(const TRect& rect, TColor color) = 0;
    virtual void FrameRect(const TRect& rect, TColor color) = 0;
    virtual void Line(TPoint from, TPoint to, TColor color) = 0;
    virtual void SetFont(const TFont& font) = 0;
    // DrawTextW with the current font and the given text colour; with kDtCalcRect the rectangle is measured
    // (right and bottom set) and nothing is drawn. Returns the text height, as DrawTextW does.
    virtual int DrawText(const std::wstring& text, TRect& rect, unsigned flags, TColor color) = 0;
    // Width and height of one line of text in the current font (GetTextExtentPoint32W).
    virtual TSize TextExtent(const std::wstring& text) = 0;
};

// A canvas that may lie on a glass (desktop-composition) background, where a plain fill leaves the alpha
// undefined: it fills through a buffered paint made opaque.
class IGlassCanvas {
  public:
    virtual ~IGlassCanvas() = default;
    virtual bool OnGlass() const = 0;
    virtual void FillRectOpaque(const TRect& rect, TColor color) = 0;
};

}  // namespace tessaline
