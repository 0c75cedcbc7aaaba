#include "IconKit.h"

#include <algorithm>
#include <cmath>

namespace artwork {

TTone Tone(uint32_t light, uint32_t base, uint32_t line) {
    return {Hex(light), Hex(base), Hex(line)};
}

namespace tones {
TTone Blue() {
    return Tone(0x86C2F7, 0x2F7BD6, 0x174A8C);
}
TTone Green() {
    return Tone(0xA4E07C, 0x3E9B2E, 0x215C17);
}
TTone Orange() {
    return Tone(0xFFC680, 0xEE8619, 0x9C4C08);
}
TTone Red() {
    return Tone(0xFF9088, 0xD6382C, 0x861A13);
}
TTone Yellow() {
    return Tone(0xFFE894, 0xF0BE36, 0xA07616);
}
TTone Grey() {
    return Tone(0xF4F6F9, 0xBCC5D1, 0x667282);
}
TTone Dark() {
    return Tone(0x76818F, 0x2D3540, 0x14191F);
}
TTone Paper() {
    return Tone(0xFFFFFF, 0xE6ECF3, 0x7A889A);
}
TTone Purple() {
    return Tone(0xCDA8F2, 0x7F50C6, 0x48287D);
}
TTone Teal() {
    return Tone(0x86E3DA, 0x1CA496, 0x0C5A52);
}
}  // namespace tones

void Block(cairo_t* cr, const Rect& r, double radius, const TTone& tone, double line) {
    RoundedRect(cr, r, radius);
    SetVertical(cr, r, {{0, tone.Light}, {1, tone.Base}});
    cairo_fill(cr);
    if (r.W > 24 && r.H > 12) {
        // Larger blocks get a glassy inner rim; at 16 px it would only blur the outline.
        StrokeRoundedRect(cr, r.Inset(line), std::max(0.0, radius - line), 1, Rgba{1, 1, 1, 0.35});
    }
    StrokeRoundedRect(cr, r, radius, line, tone.Line);
}

void Disc(cairo_t* cr, double cx, double cy, double radius, const TTone& tone, double line) {
    Circle(cr, cx, cy, radius);
    SetLinear(cr, 0, cy - radius, 0, cy + radius, {{0, tone.Light}, {1, tone.Base}});
    cairo_fill(cr);
    Circle(cr, cx, cy, radius - line / 2);
    cairo_set_line_width(cr, line);
    SetColor(cr, tone.Line);
    cairo_stroke(cr);
}

void ShadePath(cairo_t* cr, double top, double bottom, const TTone& tone, double line) {
    SetLinear(cr, 0, top, 0, bottom, {{0, tone.Light}, {1, tone.Base}});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, line);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, tone.Line);
    cairo_stroke(cr);
}

void Monitor(cairo_t* cr, const Rect& r, const TTone& screen, double line) {
    const double bezelH = std::round(r.H * 0.76);
    const Rect bezel{r.X, r.Y, r.W, bezelH};
    const TTone dark = tones::Dark();
    RoundedRect(cr, bezel, line * 1.5);
    SetVertical(cr, bezel, {{0, dark.Light}, {1, dark.Base}});
    cairo_fill(cr);
    StrokeRoundedRect(cr, bezel, line * 1.5, line, dark.Line);
    const double inset = r.W > 20 ? line * 2.5 : line;
    const Rect glass = bezel.Inset(inset);
    cairo_rectangle(cr, glass.X, glass.Y, glass.W, glass.H);
    SetLinear(cr, glass.X, glass.Y, glass.Right(), glass.Bottom(), {{0, screen.Light}, {1, screen.Base}});
    cairo_fill(cr);
    // Glare across the upper left of the screen.
    {
        TSaved saved(cr);
        cairo_rectangle(cr, glass.X, glass.Y, glass.W, glass.H);
        cairo_clip(cr);
        Polygon(cr, {{glass.X, glass.Y},
                     {glass.X + glass.W * 0.65, glass.Y},
                     {glass.X + glass.W * 0.25, glass.Bottom()},
                     {glass.X, glass.Bottom()}});
        SetColor(cr, Rgba{1, 1, 1, 0.18});
        cairo_fill(cr);
    }
    const double neckW = std::max(2.0, std::round(r.W * 0.18));
    const double baseW = std::round(r.W * 0.5);
    const double baseH = std::max(line * 1.5, std::round(r.H * 0.08));
    const double neckX = std::round(r.CenterX() - neckW / 2);
    FillPixels(cr, static_cast<int>(neckX), static_cast<int>(bezel.Bottom()), static_cast<int>(neckW),
               static_cast<int>(r.Bottom() - bezel.Bottom() - baseH), dark.Base);
    const Rect base{std::round(r.CenterX() - baseW / 2), r.Bottom() - baseH, baseW, baseH};
    FillRoundedRect(cr, base, line, dark.Line);
}

void Document(cairo_t* cr, const Rect& r, double line, bool textLines) {
    const TTone paper = tones::Paper();
    const double fold = std::round(r.W * 0.32);
    const double h = line / 2;
    Polygon(cr, {{r.X + h, r.Y + h},
                 {r.Right() - fold, r.Y + h},
                 {r.Right() - h, r.Y + fold},
                 {r.Right() - h, r.Bottom() - h},
                 {r.X + h, r.Bottom() - h}});
    ShadePath(cr, r.Y, r.Bottom(), paper, line);
    Polygon(cr, {{r.Right() - fold, r.Y + h}, {r.Right() - fold, r.Y + fold}, {r.Right() - h, r.Y + fold}});
    SetColor(cr, Hex(0xD3DCE7));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, line);
    SetColor(cr, paper.Line);
    cairo_stroke(cr);
    if (textLines) {
        const double pad = std::max(2.0, std::round(r.W * 0.2));
        const double step = std::max(2.0, std::round(r.H * 0.14));
        const double lineH = std::max(1.0, std::round(line * 0.8));
        for (double y = r.Y + fold + step * 0.6; y + lineH <= r.Bottom() - pad * 0.7; y += step) {
            const double right = y < r.Y + fold + 0.5 ? r.Right() - fold - 1 : r.Right() - pad;
            cairo_rectangle(cr, r.X + pad, std::round(y), right - r.X - pad, lineH);
        }
        SetColor(cr, Hex(0x9DB2CB));
        cairo_fill(cr);
    }
}

void Folder(cairo_t* cr, const Rect& r, double line) {
    const TTone back = Tone(0xF2C85A, 0xD9A12B, 0x93691A);
    const TTone front = tones::Yellow();
    const double tabH = std::max(2.0, std::round(r.H * 0.18));
    const double tabW = std::round(r.W * 0.42);
    const double h = line / 2;
    Polygon(cr, {{r.X + h, r.Y + h},
                 {r.X + tabW, r.Y + h},
                 {r.X + tabW + tabH, r.Y + tabH},
                 {r.Right() - h, r.Y + tabH},
                 {r.Right() - h, r.Bottom() - h},
                 {r.X + h, r.Bottom() - h}});
    ShadePath(cr, r.Y, r.Bottom(), back, line);
    const Rect frontRect{r.X, r.Y + tabH + std::round(r.H * 0.14), r.W, r.H - tabH - std::round(r.H * 0.14)};
    Block(cr, frontRect, line, front, line);
}

void Globe(cairo_t* cr, double cx, double cy, double radius, double line) {
    Disc(cr, cx, cy, radius, Tone(0x8FD3FF, 0x2C86D8, 0x154F8F), line);
    TSaved saved(cr);
    Circle(cr, cx, cy, radius - line);
    cairo_clip(cr);
    const double u = radius / 7.0;
    const TTone land = Tone(0xB6EA8A, 0x4EA83A, 0x2A6A1E);
    cairo_move_to(cr, cx - 6 * u, cy - 4 * u);
    cairo_curve_to(cr, cx - 3 * u, cy - 7 * u, cx + 0 * u, cy - 5 * u, cx - 1 * u, cy - 2 * u);
    cairo_curve_to(cr, cx - 2 * u, cy + 0 * u, cx - 1 * u, cy + 3 * u, cx - 3 * u, cy + 5 * u);
    cairo_curve_to(cr, cx - 5 * u, cy + 3 * u, cx - 7 * u, cy + 0 * u, cx - 6 * u, cy - 4 * u);
    cairo_close_path(cr);
    cairo_move_to(cr, cx + 2 * u, cy - 6 * u);
    cairo_curve_to(cr, cx + 6 * u, cy - 5 * u, cx + 8 * u, cy - 1 * u, cx + 5 * u, cy + 1 * u);
    cairo_curve_to(cr, cx + 4 * u, cy + 4 * u, cx + 2 * u, cy + 6 * u, cx + 1 * u, cy + 3 * u);
    cairo_curve_to(cr, cx + 2 * u, cy + 0 * u, cx + 0 * u, cy - 3 * u, cx + 2 * u, cy - 6 * u);
    cairo_close_path(cr);
    SetLinear(cr, 0, cy - radius, 0, cy + radius, {{0, land.Light}, {1, land.Base}});
    cairo_fill(cr);
    // Shine.
    Circle(cr, cx - radius * 0.35, cy - radius * 0.4, radius * 0.55);
    SetRadial(cr, cx - radius * 0.35, cy - radius * 0.4, 0, radius * 0.55,
              {{0, Rgba{1, 1, 1, 0.45}}, {1, Rgba{1, 1, 1, 0}}});
    cairo_fill(cr);
}

void Gear(cairo_t* cr, double cx, double cy, double radius, int teeth, const TTone& tone, double line) {
    const double inner = radius * 0.74;
    const double step = 2 * M_PI / teeth;
    const double half = step * 0.24;
    cairo_new_path(cr);
    for (int i = 0; i < teeth; ++i) {
        const double a = i * step - M_PI / 2;
        const double pts[][2] = {{a - step / 2 + half * 0.4, inner},
                                 {a - half, radius},
                                 {a + half, radius},
                                 {a + step / 2 - half * 0.4, inner}};
        for (const auto& p : pts) {
            const double x = cx + p[1] * std::cos(p[0]);
            const double y = cy + p[1] * std::sin(p[0]);
            if (i == 0 && &p == &pts[0]) {
                cairo_move_to(cr, x, y);
            } else {
                cairo_line_to(cr, x, y);
            }
        }
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, radius * 0.32, 0, -2 * M_PI);
    cairo_close_path(cr);
    ShadePath(cr, cy - radius, cy + radius, tone, line);
}

void Clock(cairo_t* cr, double cx, double cy, double radius, double line, double hour, double minute) {
    Disc(cr, cx, cy, radius, Tone(0xFFFFFF, 0xDDE5EE, 0x3A4656), line);
    const Rgba hand = Hex(0x1F2933);
    if (radius > 10) {
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            const double r0 = radius * (i % 3 == 0 ? 0.70 : 0.78);
            StrokeLine(cr, {cx + r0 * std::sin(a), cy - r0 * std::cos(a)},
                       {cx + radius * 0.86 * std::sin(a), cy - radius * 0.86 * std::cos(a)}, line * 0.6, Hex(0x6B7888),
                       CAIRO_LINE_CAP_BUTT);
        }
    }
    const double ha = (hour + minute / 60.0) * M_PI / 6;
    const double ma = minute * M_PI / 30;
    StrokeLine(cr, {cx, cy}, {cx + radius * 0.45 * std::sin(ha), cy - radius * 0.45 * std::cos(ha)}, line * 1.2, hand);
    StrokeLine(cr, {cx, cy}, {cx + radius * 0.68 * std::sin(ma), cy - radius * 0.68 * std::cos(ma)}, line, hand);
}

void Person(cairo_t* cr, double cx, double top, double height, const TTone& tone, double line) {
    const double headR = height * 0.21;
    const double shoulders = height * 0.40;
    const double bodyTop = top + height * 0.50;
    cairo_move_to(cr, cx - shoulders, top + height - line / 2);
    cairo_curve_to(cr, cx - shoulders, bodyTop - height * 0.02, cx - shoulders * 0.55, bodyTop - height * 0.06, cx,
                   bodyTop - height * 0.06);
    cairo_curve_to(cr, cx + shoulders * 0.55, bodyTop - height * 0.06, cx + shoulders, bodyTop - height * 0.02,
                   cx + shoulders, top + height - line / 2);
    cairo_close_path(cr);
    ShadePath(cr, bodyTop, top + height, tone, line);
    Circle(cr, cx, top + headR + line / 2, headR);
    ShadePath(cr, top, top + 2 * headR, Tone(0xFFE2C4, 0xE8B88E, 0x8A5E3B), line);
}

void Printer(cairo_t* cr, const Rect& r, double line) {
    const TTone paper = tones::Paper();
    const TTone body = tones::Grey();
    const double w = r.W;
    const double h = r.H;
    Block(cr, Rect{std::round(r.X + w * 0.22), r.Y, std::round(w * 0.56), std::round(h * 0.45)}, 0, paper, line);
    Block(cr, Rect{r.X, std::round(r.Y + h * 0.30), w, std::round(h * 0.46)}, line * 1.5, body, line);
    Block(cr,
          Rect{std::round(r.X + w * 0.18), std::round(r.Y + h * 0.62), std::round(w * 0.64),
               r.Bottom() - std::round(r.Y + h * 0.62)},
          0, paper, line);
    const double led = std::max(1.0, std::round(w * 0.09));
    FillPixels(cr, static_cast<int>(std::round(r.Right() - line - led * 1.6)),
               static_cast<int>(std::round(r.Y + h * 0.30 + line * 1.6)), static_cast<int>(led),
               static_cast<int>(std::max(1.0, std::round(led * 0.7))), Hex(0x38C23A));
}

void Padlock(cairo_t* cr, const Rect& r, double line) {
    const double bodyTop = std::round(r.Y + r.H * 0.45);
    const double shackleR = r.W * 0.3;
    cairo_arc(cr, r.CenterX(), r.Y + shackleR + line, shackleR, M_PI, 2 * M_PI);
    cairo_line_to(cr, r.CenterX() + shackleR, bodyTop);
    cairo_move_to(cr, r.CenterX() - shackleR, r.Y + shackleR + line);
    cairo_line_to(cr, r.CenterX() - shackleR, bodyTop);
    cairo_set_line_width(cr, std::max(1.0, line * 1.6));
    SetColor(cr, Hex(0x7C8794));
    cairo_stroke(cr);
    Block(cr, Rect{r.X, bodyTop, r.W, r.Bottom() - bodyTop}, line, tones::Yellow(), line);
    const double hole = std::max(1.0, std::round(r.W * 0.14));
    FillPixels(cr, static_cast<int>(std::round(r.CenterX() - hole / 2)),
               static_cast<int>(std::round(bodyTop + (r.Bottom() - bodyTop) * 0.35)), static_cast<int>(hole),
               static_cast<int>(std::max(1.0, std::round((r.Bottom() - bodyTop) * 0.35))), Hex(0x6B4E10));
}

void Shield(cairo_t* cr, const Rect& r, const TTone& tone, double line) {
    const double h = line / 2;
    cairo_move_to(cr, r.CenterX(), r.Y + h);
    cairo_curve_to(cr, r.CenterX() + r.W * 0.2, r.Y + r.H * 0.1, r.Right() - h, r.Y + r.H * 0.12, r.Right() - h,
                   r.Y + r.H * 0.12);
    cairo_curve_to(cr, r.Right() - h, r.Y + r.H * 0.6, r.CenterX() + r.W * 0.2, r.Y + r.H * 0.85, r.CenterX(),
                   r.Bottom() - h);
    cairo_curve_to(cr, r.CenterX() - r.W * 0.2, r.Y + r.H * 0.85, r.X + h, r.Y + r.H * 0.6, r.X + h, r.Y + r.H * 0.12);
    cairo_curve_to(cr, r.X + h, r.Y + r.H * 0.12, r.CenterX() - r.W * 0.2, r.Y + r.H * 0.1, r.CenterX(), r.Y + h);
    cairo_close_path(cr);
    ShadePath(cr, r.Y, r.Bottom(), tone, line);
}

void Speaker(cairo_t* cr, const Rect& r, double line, int waves) {
    const TTone grey = Tone(0xC5CDD8, 0x6E7A89, 0x2C3440);
    const double boxW = std::round(r.W * 0.22);
    const double boxH = std::round(r.H * 0.36);
    const double y0 = std::round(r.CenterY() - boxH / 2);
    const double coneW = std::round(r.W * 0.26);
    const double h = line / 2;
    Polygon(cr, {{r.X + h, y0 + h},
                 {r.X + boxW, y0 + h},
                 {r.X + boxW + coneW, r.Y + h},
                 {r.X + boxW + coneW, r.Bottom() - h},
                 {r.X + boxW, y0 + boxH - h},
                 {r.X + h, y0 + boxH - h}});
    ShadePath(cr, r.Y, r.Bottom(), grey, line);
    const Rgba blue = Hex(0x2F7BD6);
    for (int i = 0; i < waves; ++i) {
        const double radius = r.W * (0.18 + 0.17 * i);
        cairo_new_path(cr);
        cairo_arc(cr, r.X + boxW + coneW - r.W * 0.06, r.CenterY(), radius, -M_PI / 4, M_PI / 4);
        cairo_set_line_width(cr, line * 1.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColor(cr, blue);
        cairo_stroke(cr);
    }
}

void MusicNote(cairo_t* cr, const Rect& r, const TTone& tone, double line) {
    const double headRx = r.W * 0.2;
    const double headRy = r.H * 0.13;
    const double stem = std::max(line * 1.5, r.W * 0.09);
    const double lx = r.X + headRx;
    const double rx = r.Right() - headRx;
    const double ly = r.Bottom() - headRy - r.H * 0.08;
    const double ry = r.Bottom() - headRy - r.H * 0.2;
    cairo_new_path(cr);
    auto head = [&](double cx, double cy) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, headRx, headRy);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    };
    head(lx, ly);
    head(rx, ry);
    // Stems and the beam as one outline.
    const double lsx = lx + headRx * 0.85;
    const double rsx = rx + headRx * 0.85;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, lsx - stem, ly - headRy * 0.3);
    cairo_line_to(cr, lsx - stem, r.Y + r.H * 0.2);
    cairo_line_to(cr, rsx, r.Y);
    cairo_line_to(cr, rsx, ry - headRy * 0.3);
    cairo_line_to(cr, rsx - stem, ry - headRy * 0.3);
    cairo_line_to(cr, rsx - stem, r.Y + r.H * 0.2);
    cairo_line_to(cr, lsx, r.Y + r.H * 0.4);
    cairo_line_to(cr, lsx, ly - headRy * 0.3);
    cairo_close_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    ShadePath(cr, r.Y, r.Bottom(), tone, line);
}

void QuestionMark(cairo_t* cr, double cx, double cy, double height, double width, Rgba color) {
    const double r = height * 0.24;
    const double arcY = cy - height * 0.5 + r + width / 2;
    cairo_new_path(cr);
    cairo_arc(cr, cx, arcY, r, M_PI * 1.05, M_PI * 2.3);
    cairo_curve_to(cr, cx + r * 0.2, arcY + r * 1.2, cx, arcY + r * 1.1, cx, cy + height * 0.14);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, color);
    cairo_stroke(cr);
    FillCircle(cr, cx, cy + height * 0.5 - width * 0.65, width * 0.68, color);
}

void CheckBadge(cairo_t* cr, double cx, double cy, double radius, double line) {
    Disc(cr, cx, cy, radius, tones::Green(), line);
    cairo_move_to(cr, cx - radius * 0.5, cy + radius * 0.02);
    cairo_line_to(cr, cx - radius * 0.12, cy + radius * 0.4);
    cairo_line_to(cr, cx + radius * 0.52, cy - radius * 0.38);
    cairo_set_line_width(cr, std::max(1.2, radius * 0.3));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, Hex(0xFFFFFF));
    cairo_stroke(cr);
}

void ArcArrow(cairo_t* cr, double cx, double cy, double radius, double a0, double a1, double width, Rgba color) {
    cairo_new_path(cr);
    // The head is as long as 1.4 line widths plus a bit, whatever the radius, so small arrows keep a visible head.
    const double headAngle = (width * 1.6 + 1) / radius;
    cairo_arc(cr, cx, cy, radius, a0, a1 - headAngle * 0.8);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColor(cr, color);
    cairo_stroke(cr);
    const Point tip{cx + radius * std::cos(a1), cy + radius * std::sin(a1)};
    const double back = a1 - headAngle;
    const Point base{cx + radius * std::cos(back), cy + radius * std::sin(back)};
    const Point out{std::cos(back) * width * 1.25, std::sin(back) * width * 1.25};
    FillPolygon(cr, {tip, {base.X + out.X, base.Y + out.Y}, {base.X - out.X, base.Y - out.Y}}, color);
}

void Arrow(cairo_t* cr, Point from, Point to, double width, double head, Rgba color) {
    const double dx = to.X - from.X;
    const double dy = to.Y - from.Y;
    const double len = std::hypot(dx, dy);
    const double ux = dx / len;
    const double uy = dy / len;
    const Point neck{to.X - ux * head, to.Y - uy * head};
    StrokeLine(cr, from, {neck.X + ux * 0.5, neck.Y + uy * 0.5}, width, color, CAIRO_LINE_CAP_BUTT);
    FillPolygon(cr,
                {to,
                 {neck.X - uy * head * 0.75, neck.Y + ux * head * 0.75},
                 {neck.X + uy * head * 0.75, neck.Y - ux * head * 0.75}},
                color);
}

}  // namespace artwork
