#include "Motifs.h"

#include <cmath>

namespace artwork {

namespace {

Point Corner(double cx, double cy, double radius, double degrees) {
    const double a = degrees * M_PI / 180.0;
    return {cx + radius * std::cos(a), cy + radius * std::sin(a)};
}

const TOrbColors& ColorsFor(const TStartStyle& style, TButtonState state) {
    switch (state) {
        case TButtonState::Hover:
            return style.Hover;
        case TButtonState::Pressed:
            return style.Pressed;
        case TButtonState::Normal:
            break;
    }
    return style.Normal;
}

void DrawOrb(cairo_t* cr, const TOrbColors& c, TButtonState state, double cx, double cy, double r) {
    // Contact shadow, so the orb holds on light and dark taskbars alike.
    Circle(cr, cx, cy + 0.5, r + 3);
    SetRadial(cr, cx, cy + 0.5, r - 1, r + 3, {{0, Rgba{0, 0, 0, 0.45}}, {1, Rgba{0, 0, 0, 0}}});
    cairo_fill(cr);
    if (c.Glow.A > 0) {
        Circle(cr, cx, cy, r + 7);
        SetRadial(cr, cx, cy, r - 2, r + 7, {{0, c.Glow}, {1, WithAlpha(c.Glow, 0)}});
        cairo_fill(cr);
    }

    Circle(cr, cx, cy, r);
    SetRadial(cr, cx, cy + r * 0.55, 0, r * 1.45, {{0, c.Core}, {0.55, Mix(c.Core, c.Rim, 0.55)}, {1, c.Rim}});
    cairo_fill(cr);

    if (state == TButtonState::Pressed) {
        // Pressed in: the light comes from below and the top rim darkens.
        Circle(cr, cx, cy, r);
        SetLinear(cr, 0, cy - r, 0, cy + r, {{0, Rgba{0, 0, 0, 0.35}}, {0.45, Rgba{0, 0, 0, 0}}});
        cairo_fill(cr);
    }

    // Edge: a dark outline and a light inner ring that is brightest at the top.
    Circle(cr, cx, cy, r - 0.5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Mix(c.Rim, Rgba{0, 0, 0, 1}, 0.55));
    cairo_stroke(cr);
    Circle(cr, cx, cy, r - 1.5);
    SetLinear(cr, 0, cy - r, 0, cy + r,
              {{0, Rgba{1, 1, 1, 0.55}}, {0.5, Rgba{1, 1, 1, 0.10}}, {1, Rgba{1, 1, 1, 0.30}}});
    cairo_stroke(cr);

    // Soft gloss over the upper half.
    {
        TSaved saved(cr);
        Circle(cr, cx, cy, r - 2);
        cairo_clip(cr);
        cairo_save(cr);
        cairo_translate(cr, cx, cy - r * 0.42);
        cairo_scale(cr, r * 0.82, r * 0.52);
        Circle(cr, 0, 0, 1);
        cairo_restore(cr);
        const double glossTop = state == TButtonState::Pressed ? 0.18 : 0.38;
        SetLinear(cr, 0, cy - r, 0, cy, {{0, Rgba{1, 1, 1, glossTop}}, {1, Rgba{1, 1, 1, 0.03}}});
        cairo_fill(cr);
    }

    DrawEmblem(cr, cx, cy + (state == TButtonState::Pressed ? 0.5 : 0), r * 0.55, c.Mark);
}

void DrawTile(cairo_t* cr, const TOrbColors& c, TButtonState state, double cx, double cy, double r) {
    const Rect tile{std::round(cx - r), std::round(cy - r), std::round(2 * r), std::round(2 * r)};
    if (c.Glow.A > 0) {
        RoundedRect(cr, tile.Inset(-5), 8);
        SetRadial(cr, cx, cy, r, r + 6, {{0, c.Glow}, {1, WithAlpha(c.Glow, 0)}});
        cairo_fill(cr);
    }
    SoftShadow(cr, tile, 3, 2, 0.35, 0.5);
    FillRoundedRect(cr, tile, 3, c.Rim);
    RoundedRect(cr, tile.Inset(1), 2);
    SetVertical(cr, tile, {{0, Mix(c.Core, Rgba{1, 1, 1, 1}, 0.08)}, {1, c.Core}});
    cairo_fill(cr);
    StrokeRoundedRect(cr, tile.Inset(1), 2, 1, Rgba{1, 1, 1, state == TButtonState::Pressed ? 0.08 : 0.18});
    DrawEmblem(cr, cx, cy + (state == TButtonState::Pressed ? 0.5 : 0), r * 0.56, c.Mark);
}

// A ring filled between two radii rather than stroked, so both edges sit exactly on them.
void FillRing(cairo_t* cr, double cx, double cy, double outer, double inner, Rgba c) {
    TSaved saved(cr);
    Circle(cr, cx, cy, outer);
    Circle(cr, cx, cy, inner);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColor(cr, c);
    cairo_fill(cr);
}

}  // namespace

void DrawEmblem(cairo_t* cr, double cx, double cy, double radius, Rgba color, TEmblemShades shades, double gap) {
    const Point top = Corner(cx, cy, radius, -90);
    const Point upperRight = Corner(cx, cy, radius, -30);
    const Point lowerRight = Corner(cx, cy, radius, 30);
    const Point bottom = Corner(cx, cy, radius, 90);
    const Point lowerLeft = Corner(cx, cy, radius, 150);
    const Point upperLeft = Corner(cx, cy, radius, 210);
    const Point centre{cx, cy};

    // Drawn in a group so the gaps cut only the emblem, never what lies beneath it.
    cairo_push_group(cr);
    FillPolygon(cr, {top, upperRight, centre, upperLeft}, WithAlpha(color, color.A * shades.Top));
    FillPolygon(cr, {upperLeft, centre, bottom, lowerLeft}, WithAlpha(color, color.A * shades.Left));
    FillPolygon(cr, {centre, upperRight, lowerRight, bottom}, WithAlpha(color, color.A * shades.Right));
    if (gap > 0) {
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        StrokeLine(cr, centre, upperLeft, gap, Rgba{}, CAIRO_LINE_CAP_BUTT);
        StrokeLine(cr, centre, upperRight, gap, Rgba{}, CAIRO_LINE_CAP_BUTT);
        StrokeLine(cr, centre, bottom, gap, Rgba{}, CAIRO_LINE_CAP_BUTT);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

void DrawStartButton(cairo_t* cr, const TStartStyle& style, TButtonState state, double cx, double cy, double radius) {
    const TOrbColors& colors = ColorsFor(style, state);
    if (style.Tile) {
        DrawTile(cr, colors, state, cx, cy, radius);
    } else {
        DrawOrb(cr, colors, state, cx, cy, radius);
    }
}

void DrawOutlinedButton(cairo_t* cr, TButtonState state, double cx, double cy, double radius, Rgba ink, Rgba paper) {
    constexpr double kRim = 1.5;
    constexpr double kRing = 2;
    // Flat faces parted by wide gaps: at the usual 1 px the three faces would run together at this size.
    constexpr TEmblemShades kFlat{1, 1, 1};
    constexpr double kGap = 2;
    const double ring = radius - kRim;
    const double emblem = radius * 0.55;

    FillCircle(cr, cx, cy, radius, paper);
    switch (state) {
        case TButtonState::Normal:
            FillRing(cr, cx, cy, ring, ring - kRing, ink);
            DrawEmblem(cr, cx, cy, emblem, ink, kFlat, kGap);
            break;
        case TButtonState::Hover:
            // A second ring inside a heavier first one; 1.5 px apart so they stay two rings at this size.
            FillRing(cr, cx, cy, ring, ring - kRing - 0.5, ink);
            FillRing(cr, cx, cy, ring - kRing - 2, ring - kRing - 3.5, ink);
            DrawEmblem(cr, cx, cy, emblem, ink, kFlat, kGap);
            break;
        case TButtonState::Pressed:
            // Inverted, and sunk by the width of the ring it loses.
            FillCircle(cr, cx, cy, ring - kRing, ink);
            DrawEmblem(cr, cx, cy + 1, emblem, paper, kFlat, kGap);
            break;
    }
}

void DrawDigit(cairo_t* cr, int digit, double cx, double cy, double height, double width, Rgba color) {
    TSaved saved(cr);
    const double h = height;
    const double w = h * 0.56;
    const double left = cx - w / 2;
    const double right = cx + w / 2;
    const double top = cy - h / 2;
    const double bottom = cy + h / 2;
    const double pi = M_PI;
    cairo_new_path(cr);
    switch (digit) {
        case 0:
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_scale(cr, w / 2, h / 2);
            cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
            cairo_restore(cr);
            break;
        case 1:
            cairo_move_to(cr, cx - w * 0.32, top + h * 0.22);
            cairo_line_to(cr, cx + w * 0.06, top);
            cairo_line_to(cr, cx + w * 0.06, bottom);
            break;
        case 2:
            cairo_arc(cr, cx, top + w / 2, w / 2, pi * 1.08, pi * 2.15);
            cairo_line_to(cr, left, bottom);
            cairo_line_to(cr, right, bottom);
            break;
        case 3: {
            const double ru = h * 0.245;
            const double rl = h * 0.265;
            cairo_arc(cr, cx, top + ru, ru, pi * 1.05, pi * 2.5);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, bottom - rl, rl, pi * 1.5, pi * 2.95);
            break;
        }
        case 4:
            cairo_move_to(cr, right, top + h * 0.68);
            cairo_line_to(cr, left, top + h * 0.68);
            cairo_line_to(cr, cx + w * 0.18, top);
            cairo_line_to(cr, cx + w * 0.18, bottom);
            break;
        case 5:
            cairo_move_to(cr, right, top);
            cairo_line_to(cr, left + w * 0.05, top);
            cairo_line_to(cr, left, top + h * 0.44);
            cairo_arc(cr, cx, bottom - h * 0.28, h * 0.28, pi * 1.3, pi * 2.85);
            break;
        case 6:
            cairo_arc(cr, cx, bottom - w / 2, w / 2, 0, 2 * pi);
            cairo_new_sub_path(cr);
            cairo_move_to(cr, left, bottom - w / 2);
            cairo_curve_to(cr, left, top + h * 0.2, cx, top, right - w * 0.1, top + h * 0.06);
            break;
        case 7:
            cairo_move_to(cr, left, top);
            cairo_line_to(cr, right, top);
            cairo_line_to(cr, cx - w * 0.1, bottom);
            break;
        case 8: {
            const double ru = h * 0.23;
            const double rl = h * 0.27;
            cairo_arc(cr, cx, top + ru, ru, 0, 2 * pi);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, bottom - rl, rl, 0, 2 * pi);
            break;
        }
        case 9:
            cairo_arc(cr, cx, top + w / 2, w / 2, 0, 2 * pi);
            cairo_new_sub_path(cr);
            cairo_move_to(cr, right, top + w / 2);
            cairo_curve_to(cr, right, bottom - h * 0.2, cx, bottom, left + w * 0.1, bottom - h * 0.06);
            break;
        default:
            return;
    }
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, color);
    cairo_stroke(cr);
}

void DrawBadge(cairo_t* cr, double cx, double cy, double radius, int digit) {
    FillCircle(cr, cx, cy + 1, radius + 1, Rgba{0, 0, 0, 0.30});
    Circle(cr, cx, cy, radius);
    SetLinear(cr, 0, cy - radius, 0, cy + radius, {{0, Hex(0x4FA8F5)}, {1, Hex(0x1D64C4)}});
    cairo_fill(cr);
    Circle(cr, cx, cy, radius - 0.5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Rgba{1, 1, 1, 0.55});
    cairo_stroke(cr);
    DrawDigit(cr, digit, cx, cy, radius * 0.95, radius * 0.2, Rgba{1, 1, 1, 1});
}

void DrawGlassButton(cairo_t* cr, const Rect& r, double radius, TButtonState state) {
    switch (state) {
        case TButtonState::Normal:
            FillRoundedRect(cr, r, radius, Rgba{0.02, 0.05, 0.10, 0.55});
            RoundedRect(cr, r.Inset(1), radius - 1);
            SetVertical(cr, r,
                        {{0, Rgba{1, 1, 1, 0.26}},
                         {0.5, Rgba{1, 1, 1, 0.12}},
                         {0.51, Rgba{1, 1, 1, 0.05}},
                         {1, Rgba{1, 1, 1, 0.10}}});
            cairo_fill(cr);
            StrokeRoundedRect(cr, r.Inset(1), radius - 1, 1, Rgba{1, 1, 1, 0.22});
            break;
        case TButtonState::Hover:
            FillRoundedRect(cr, r, radius, Rgba{0.02, 0.10, 0.25, 0.85});
            RoundedRect(cr, r.Inset(1), radius - 1);
            SetVertical(cr, r,
                        {{0, Hex(0x7CC4FF, 0.95)},
                         {0.5, Hex(0x3C93E6, 0.92)},
                         {0.51, Hex(0x2477D2, 0.92)},
                         {1, Hex(0x4AA6F0, 0.95)}});
            cairo_fill(cr);
            StrokeRoundedRect(cr, r.Inset(1), radius - 1, 1, Rgba{1, 1, 1, 0.40});
            break;
        case TButtonState::Pressed:
            FillRoundedRect(cr, r, radius, Rgba{0.0, 0.05, 0.15, 0.90});
            RoundedRect(cr, r.Inset(1), radius - 1);
            SetVertical(cr, r,
                        {{0, Hex(0x0F4A95, 0.95)},
                         {0.5, Hex(0x1B63B8, 0.95)},
                         {0.51, Hex(0x15579F, 0.95)},
                         {1, Hex(0x2D7FD4, 0.95)}});
            cairo_fill(cr);
            // Inner shadow along the top edge.
            StrokeLine(cr, {r.X + radius, r.Y + 1.5}, {r.Right() - radius, r.Y + 1.5}, 1, Rgba{0, 0, 0, 0.35},
                       CAIRO_LINE_CAP_BUTT);
            StrokeRoundedRect(cr, r.Inset(1), radius - 1, 1, Rgba{1, 1, 1, 0.14});
            break;
    }
}

void DrawCheck(cairo_t* cr, const Rect& box, double width, Rgba color) {
    cairo_move_to(cr, box.X + box.W * 0.15, box.Y + box.H * 0.55);
    cairo_line_to(cr, box.X + box.W * 0.40, box.Y + box.H * 0.80);
    cairo_line_to(cr, box.X + box.W * 0.88, box.Y + box.H * 0.22);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, color);
    cairo_stroke(cr);
}

void DrawMagnifier(cairo_t* cr, double cx, double cy, double lensRadius, double width, Rgba color) {
    Circle(cr, cx, cy, lensRadius);
    cairo_set_line_width(cr, width);
    SetColor(cr, color);
    cairo_stroke(cr);
    const double d = (lensRadius + width / 2) / std::sqrt(2.0);
    const double len = lensRadius * 1.05;
    StrokeLine(cr, {cx + d, cy + d}, {cx + d + len, cy + d + len}, width * 1.35, color);
}

}  // namespace artwork
