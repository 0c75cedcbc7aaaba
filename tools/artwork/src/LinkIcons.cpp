#include "LinkIcons.h"

#include "IconKit.h"
#include "Motifs.h"

#include <cmath>

namespace artwork {

namespace {

constexpr double kLine = 1.5;

void Documents(cairo_t* cr, const Rect& t) {
    // A short stack of pages, the front one with text.
    Document(cr, Rect{t.X + 13, t.Y + 5, 24, 30}, kLine, false);
    Document(cr, Rect{t.X + 10, t.Y + 8, 24, 30}, kLine, false);
    Document(cr, Rect{t.X + 7, t.Y + 11, 24, 30}, kLine, true);
}

void Pictures(cairo_t* cr, const Rect& t) {
    auto photo = [cr](double cx, double cy, double angle, bool scene) {
        TSaved saved(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, angle);
        const Rect frame{-15, -12, 30, 24};
        cairo_rectangle(cr, frame.X + 1, frame.Y + 2, frame.W, frame.H);
        SetColor(cr, Rgba{0, 0, 0, 0.25});
        cairo_fill(cr);
        cairo_rectangle(cr, frame.X, frame.Y, frame.W, frame.H);
        SetColor(cr, Hex(0xFFFFFF));
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1);
        SetColor(cr, Hex(0x8190A3));
        cairo_stroke(cr);
        const Rect view = frame.Inset(2.5);
        cairo_rectangle(cr, view.X, view.Y, view.W, view.H);
        if (!scene) {
            SetVertical(cr, view, {{0, Hex(0xC9D6E4)}, {1, Hex(0xA9B9CB)}});
            cairo_fill(cr);
            return;
        }
        SetVertical(cr, view, {{0, Hex(0x4AA3F0)}, {1, Hex(0xBFE3FF)}});
        cairo_fill(cr);
        TSaved clip(cr);
        cairo_rectangle(cr, view.X, view.Y, view.W, view.H);
        cairo_clip(cr);
        FillCircle(cr, view.Right() - 6, view.Y + 5, 3, Hex(0xFFD54A));
        cairo_move_to(cr, view.X, view.Bottom());
        cairo_line_to(cr, view.X, view.Y + 13);
        cairo_curve_to(cr, view.X + 6, view.Y + 8, view.X + 11, view.Y + 10, view.X + 15, view.Y + 14);
        cairo_curve_to(cr, view.X + 19, view.Y + 11, view.X + 23, view.Y + 12, view.Right(), view.Y + 15);
        cairo_line_to(cr, view.Right(), view.Bottom());
        cairo_close_path(cr);
        SetVertical(cr, view, {{0.3, Hex(0x8FD15F)}, {1, Hex(0x3C8E2A)}});
        cairo_fill(cr);
    };
    photo(t.X + 25, t.Y + 19, 0.16, false);
    photo(t.X + 21, t.Y + 25, -0.10, true);
}

void Music(cairo_t* cr, const Rect& t) {
    // A disc behind a beamed pair of notes.
    const double cx = t.X + 27;
    const double cy = t.Y + 20;
    Circle(cr, cx, cy, 14);
    SetRadial(cr, cx, cy, 3, 14, {{0, Hex(0xE9EEF4)}, {0.5, Hex(0xC7D2DF)}, {0.75, Hex(0xF4F7FA)}, {1, Hex(0xB8C4D2)}});
    cairo_fill(cr);
    Circle(cr, cx, cy, 13.5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x7F8DA0));
    cairo_stroke(cr);
    FillCircle(cr, cx, cy, 4, Hex(0xFFFFFF));
    Circle(cr, cx, cy, 3.5);
    SetColor(cr, Hex(0x7F8DA0));
    cairo_stroke(cr);
    MusicNote(cr, Rect{t.X + 7, t.Y + 14, 24, 28}, Tone(0x6FB7F5, 0x1F63B8, 0x0F3566), kLine);
}

void Games(cairo_t* cr, const Rect& t) {
    const double cx = t.X + 23;
    const double cy = t.Y + 24;
    // Controller body: two grips joined by a bridge.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 10, cy - 8);
    cairo_line_to(cr, cx + 10, cy - 8);
    cairo_curve_to(cr, cx + 17, cy - 8, cx + 20, cy - 2, cx + 20, cy + 5);
    cairo_curve_to(cr, cx + 20, cy + 11, cx + 16, cy + 13, cx + 13, cy + 10);
    cairo_curve_to(cr, cx + 11, cy + 8, cx + 9, cy + 5, cx + 5, cy + 5);
    cairo_line_to(cr, cx - 5, cy + 5);
    cairo_curve_to(cr, cx - 9, cy + 5, cx - 11, cy + 8, cx - 13, cy + 10);
    cairo_curve_to(cr, cx - 16, cy + 13, cx - 20, cy + 11, cx - 20, cy + 5);
    cairo_curve_to(cr, cx - 20, cy - 2, cx - 17, cy - 8, cx - 10, cy - 8);
    cairo_close_path(cr);
    ShadePath(cr, cy - 8, cy + 12, Tone(0x8A96A6, 0x343D49, 0x161A20), kLine);
    // Direction pad.
    FillPixels(cr, static_cast<int>(cx - 14), static_cast<int>(cy - 2), 8, 3, Hex(0xDDE3EA));
    FillPixels(cr, static_cast<int>(cx - 11.5), static_cast<int>(cy - 4.5), 3, 8, Hex(0xDDE3EA));
    // Buttons.
    FillCircle(cr, cx + 10, cy - 3, 2, Hex(0x4CC24A));
    FillCircle(cr, cx + 14, cy + 0.5, 2, Hex(0xE5483C));
    FillCircle(cr, cx + 6, cy + 0.5, 2, Hex(0x3D8FE6));
    FillCircle(cr, cx + 10, cy + 4, 2, Hex(0xF2C23A));
    // Shine along the top.
    StrokeLine(cr, {cx - 9, cy - 6}, {cx + 9, cy - 6}, 1, Rgba{1, 1, 1, 0.35});
}

void Computer(cairo_t* cr, const Rect& t) {
    Monitor(cr, Rect{t.X + 5, t.Y + 6, 36, 34}, Tone(0x7CC6FF, 0x1B5FB5, 0x0F3566), kLine);
}

void ControlPanel(cairo_t* cr, const Rect& t) {
    // A window of level gauges.
    const Rect win{t.X + 6, t.Y + 8, 34, 30};
    Block(cr, win, 2, tones::Grey(), kLine);
    FillPixels(cr, static_cast<int>(win.X + 1.5), static_cast<int>(win.Y + 1.5), static_cast<int>(win.W - 3), 5,
               Hex(0x3B82D6));
    const struct {
        double level;
        uint32_t color;
    } bars[] = {{0.55, 0x3E9B2E}, {0.85, 0x2F7BD6}, {0.35, 0xEE8619}, {0.7, 0xD6382C}};
    for (int i = 0; i < 4; ++i) {
        const double x = win.X + 5 + i * 7;
        const double bottom = win.Bottom() - 4;
        const double top = win.Y + 10;
        cairo_rectangle(cr, x, top, 4, bottom - top);
        SetColor(cr, Hex(0xFFFFFF));
        cairo_fill(cr);
        const double level = top + (bottom - top) * (1 - bars[i].level);
        cairo_rectangle(cr, x, level, 4, bottom - level);
        SetColor(cr, Hex(bars[i].color));
        cairo_fill(cr);
    }
}

void DefaultPrograms(cairo_t* cr, const Rect& t) {
    const Rect win{t.X + 5, t.Y + 6, 32, 28};
    Block(cr, win, 2, tones::Paper(), kLine);
    FillPixels(cr, static_cast<int>(win.X + 1.5), static_cast<int>(win.Y + 1.5), static_cast<int>(win.W - 3), 5,
               Hex(0x3B82D6));
    for (int i = 0; i < 3; ++i) {
        FillPixels(cr, static_cast<int>(win.X + 5), static_cast<int>(win.Y + 11 + i * 5), 16, 2, Hex(0xA9BBD0));
    }
    CheckBadge(cr, t.X + 33, t.Y + 33, 9, kLine);
}

void Help(cairo_t* cr, const Rect& t) {
    const double cx = t.X + 23;
    const double cy = t.Y + 23;
    Disc(cr, cx, cy, 17, Tone(0x7CC4FF, 0x1D62C2, 0x0E3A78), kLine);
    Circle(cr, cx, cy - 6, 12);
    SetLinear(cr, 0, cy - 18, 0, cy + 2, {{0, Rgba{1, 1, 1, 0.45}}, {1, Rgba{1, 1, 1, 0}}});
    cairo_fill(cr);
    QuestionMark(cr, cx, cy + 0.5, 21, 3.6, Hex(0xFFFFFF));
}

void Devices(cairo_t* cr, const Rect& t) {
    Printer(cr, Rect{t.X + 4, t.Y + 7, 30, 26}, kLine);
    // A phone in front of the printer, for "devices".
    const Rect phone{t.X + 29, t.Y + 18, 12, 21};
    Block(cr, phone, 2, tones::Dark(), kLine);
    cairo_rectangle(cr, phone.X + 2.5, phone.Y + 3, phone.W - 5, phone.H - 7.5);
    SetVertical(cr, phone, {{0, Hex(0x8FD3FF)}, {1, Hex(0x2C86D8)}});
    cairo_fill(cr);
}

}  // namespace

void DrawLinkIcon(cairo_t* cr, TLinkIcon icon, const Rect& tile) {
    switch (icon) {
        case TLinkIcon::Documents:
            Documents(cr, tile);
            break;
        case TLinkIcon::Pictures:
            Pictures(cr, tile);
            break;
        case TLinkIcon::Music:
            Music(cr, tile);
            break;
        case TLinkIcon::Games:
            Games(cr, tile);
            break;
        case TLinkIcon::Computer:
            Computer(cr, tile);
            break;
        case TLinkIcon::ControlPanel:
            ControlPanel(cr, tile);
            break;
        case TLinkIcon::DefaultPrograms:
            DefaultPrograms(cr, tile);
            break;
        case TLinkIcon::Help:
            Help(cr, tile);
            break;
        case TLinkIcon::Devices:
            Devices(cr, tile);
            break;
    }
}

}  // namespace artwork
