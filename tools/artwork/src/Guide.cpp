// Pictures of the first-run guide: the window's background, the two illustrations, the text panels behind the
// descriptions, and the arrow, close and page-dot buttons.
//
// The guide is one 807 x 442 layered window drawn from these pictures, so the background carries the window's
// shape and shadow in its alpha. The texts are drawn by the program in white over the text panels; the
// illustrations carry no words (the guide is shown in every language) and tie to the texts by numbered badges.

#include "IconKit.h"
#include "Motifs.h"
#include "Pictures.h"

#include <cmath>

namespace artwork {

namespace {

using TDraw = std::function<void(cairo_t*)>;

void Add(TPictureList& list, const std::string& resource, const std::string& file, int w, int h, TDraw draw) {
    list.push_back({TFolder::Embedded, "GUIDE_" + resource, "guide/" + file, w, h, std::move(draw)});
}

constexpr int kWidth = 807;
constexpr int kHeight = 442;
const Rect kPanel{8, 6, kWidth - 16, kHeight - 14};

// A field of faint tumbling blocks, the product's mark repeated as a texture.
void Tessellation(cairo_t* cr, const Rect& area, double radius, double alpha) {
    const double dx = radius * std::sqrt(3.0);
    const double dy = radius * 1.5;
    int row = 0;
    for (double y = area.Y; y < area.Bottom() + radius; y += dy, ++row) {
        const double offset = (row % 2) * dx / 2;
        for (double x = area.X - dx + offset; x < area.Right() + dx; x += dx) {
            DrawEmblem(cr, x, y, radius, Rgba{1, 1, 1, alpha}, {1.0, 0.55, 0.25}, 0);
        }
    }
}

void DrawBackground(cairo_t* cr) {
    SoftShadow(cr, kPanel, 12, 8, 0.55, 1);
    RoundedRect(cr, kPanel, 12);
    SetVertical(cr, kPanel, {{0, Hex(0x24507F)}, {0.55, Hex(0x163459)}, {1, Hex(0x0E2140)}});
    cairo_fill(cr);
    {
        TSaved saved(cr);
        RoundedRect(cr, kPanel, 12);
        cairo_clip(cr);
        Circle(cr, 150, 40, 420);
        SetRadial(cr, 150, 40, 0, 420, {{0, Rgba{0.55, 0.78, 1, 0.16}}, {1, Rgba{0.55, 0.78, 1, 0}}});
        cairo_fill(cr);
        // The texture fades in towards the lower right so it never competes with the illustrations.
        cairo_push_group(cr);
        Tessellation(cr, Rect{430, 250, 380, 200}, 22, 0.05);
        cairo_pop_group_to_source(cr);
        cairo_pattern_t* fade = cairo_pattern_create_linear(430, 250, 800, 440);
        cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0);
        cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 1);
        cairo_mask(cr, fade);
        cairo_pattern_destroy(fade);
    }
    StrokeRoundedRect(cr, kPanel, 12, 1, Rgba{0, 0, 0, 0.65});
    StrokeRoundedRect(cr, kPanel.Inset(1), 11, 1, Rgba{1, 1, 1, 0.16});
    // Top edge catches the light.
    cairo_rectangle(cr, kPanel.X + 12, kPanel.Y + 1, kPanel.W - 24, 1);
    SetLinear(cr, kPanel.X, 0, kPanel.Right(), 0,
              {{0, Rgba{1, 1, 1, 0}}, {0.3, Rgba{1, 1, 1, 0.35}}, {0.7, Rgba{1, 1, 1, 0.35}}, {1, Rgba{1, 1, 1, 0}}});
    cairo_fill(cr);
    // The mark, in the corner a title would take.
    DrawEmblem(cr, 44, 34, 13, Rgba{1, 1, 1, 0.9});
}

// Text panels: a faint glass sheet with a badge before each text and a hairline between texts.
void DrawTextPanel(cairo_t* cr,
                   double w,
                   double h,
                   std::initializer_list<double> textTops,
                   std::initializer_list<double> separators) {
    const Rect sheet{0.5, 0.5, w - 1, h - 1};
    RoundedRect(cr, sheet, 8);
    SetVertical(cr, sheet, {{0, Rgba{1, 1, 1, 0.10}}, {1, Rgba{1, 1, 1, 0.05}}});
    cairo_fill(cr);
    StrokeRoundedRect(cr, Rect{0, 0, w, h}, 8, 1, Rgba{1, 1, 1, 0.18});
    for (double y : separators) {
        cairo_rectangle(cr, 16, y, w - 32, 1);
        SetLinear(
            cr, 16, 0, w - 16, 0,
            {{0, Rgba{1, 1, 1, 0}}, {0.15, Rgba{1, 1, 1, 0.16}}, {0.85, Rgba{1, 1, 1, 0.16}}, {1, Rgba{1, 1, 1, 0}}});
        cairo_fill(cr);
    }
    int digit = 1;
    for (double top : textTops) {
        DrawBadge(cr, 30, top + 9, 11, digit++);
    }
}

// A monitor whose screen shows the desktop; the stand fills the bottom of the picture. It keeps clear of the
// picture's right end, which the text panel overlaps in the window.
constexpr double kScreenWidth = 336;

Rect DrawScreen(cairo_t* cr, double h) {
    const Rect bezel{6, 4, kScreenWidth, h - 48};
    SoftShadow(cr, bezel, 10, 5, 0.35, 2);
    RoundedRect(cr, bezel, 10);
    SetVertical(cr, bezel, {{0, Hex(0x3A4350)}, {1, Hex(0x14181E)}});
    cairo_fill(cr);
    StrokeRoundedRect(cr, bezel, 10, 1, Rgba{0, 0, 0, 0.8});
    StrokeRoundedRect(cr, bezel.Inset(1), 9, 1, Rgba{1, 1, 1, 0.18});
    const Rect screen = bezel.Inset(9);
    cairo_rectangle(cr, screen.X, screen.Y, screen.W, screen.H);
    SetLinear(cr, screen.X, screen.Y, screen.Right(), screen.Bottom(),
              {{0, Hex(0x3E9BE0)}, {0.6, Hex(0x2166B0)}, {1, Hex(0x174D8C)}});
    cairo_fill(cr);
    {
        TSaved saved(cr);
        cairo_rectangle(cr, screen.X, screen.Y, screen.W, screen.H);
        cairo_clip(cr);
        FillCircle(cr, screen.Right() - 60, screen.Y + 40, 110, Rgba{1, 1, 1, 0.07});
        FillCircle(cr, screen.X + 40, screen.Bottom(), 90, Rgba{0, 0, 0, 0.08});
    }
    // Stand.
    const double neckW = 44;
    const Rect neck{std::round(bezel.CenterX() - neckW / 2), bezel.Bottom(), neckW, 24};
    cairo_rectangle(cr, neck.X, neck.Y, neck.W, neck.H);
    SetLinear(cr, neck.X, 0, neck.Right(), 0, {{0, Hex(0x2A3039)}, {0.5, Hex(0x4A5461)}, {1, Hex(0x2A3039)}});
    cairo_fill(cr);
    const Rect base{std::round(bezel.CenterX() - 70), neck.Bottom(), 140, 12};
    RoundedRect(cr, base, 5);
    SetVertical(cr, base, {{0, Hex(0x56606E)}, {1, Hex(0x232830)}});
    cairo_fill(cr);
    return screen;
}

// Taskbar along the bottom of a screen, with the Start button; returns the button's centre.
Point DrawTaskbar(cairo_t* cr, const Rect& screen, double height) {
    const Rect bar{screen.X, screen.Bottom() - height, screen.W, height};
    cairo_rectangle(cr, bar.X, bar.Y, bar.W, bar.H);
    SetColor(cr, Rgba{0.03, 0.08, 0.16, 0.82});
    cairo_fill(cr);
    FillPixels(cr, static_cast<int>(bar.X), static_cast<int>(bar.Y), static_cast<int>(bar.W), 1, Rgba{1, 1, 1, 0.22});
    for (int i = 0; i < 3; ++i) {
        FillRoundedRect(cr, Rect{bar.X + 40 + i * 30.0, bar.Y + 4, 24, height - 8}, 3, Rgba{1, 1, 1, 0.10 + 0.04 * i});
    }
    return {bar.X + 16, bar.CenterY()};
}

void NoSign(cairo_t* cr, double cx, double cy, double r) {
    Circle(cr, cx, cy, r);
    cairo_set_line_width(cr, 3);
    SetColor(cr, Hex(0xE8473B));
    cairo_stroke(cr);
    StrokeLine(cr, {cx - r * 0.7, cy - r * 0.7}, {cx + r * 0.7, cy + r * 0.7}, 3, Hex(0xE8473B), CAIRO_LINE_CAP_BUTT);
}

// A few coloured tiles standing for the Metro start screen.
void MetroTiles(cairo_t* cr, const Rect& area, int columns, int rows) {
    const uint32_t colors[] = {0x2E8DEF, 0x00A300, 0xDC572E, 0x9B4F96, 0xE1B700, 0x00ABA9, 0x2D89EF, 0xB91D47};
    const double gap = 3;
    const double w = (area.W - gap * (columns - 1)) / columns;
    const double h = (area.H - gap * (rows - 1)) / rows;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            cairo_rectangle(cr, std::round(area.X + c * (w + gap)), std::round(area.Y + r * (h + gap)), std::round(w),
                            std::round(h));
            SetColor(cr, Hex(colors[(r * columns + c) % 8]));
            cairo_fill(cr);
        }
    }
}

// Page 0: the Start button's options menu with the three Metro options ticked, and what each one stops.
void DrawMenuLogo(cairo_t* cr) {
    const Rect screen = DrawScreen(cr, 295);
    TSaved saved(cr);
    cairo_rectangle(cr, screen.X, screen.Y, screen.W, screen.H);
    cairo_clip(cr);

    // 1: the start screen is jumped over on the way to the desktop.
    const Rect start{screen.X + 130, screen.Y + 14, 92, 50};
    FillRoundedRect(cr, start.Inset(-4), 3, Rgba{0.05, 0.05, 0.12, 0.55});
    MetroTiles(cr, start, 4, 3);
    cairo_move_to(cr, start.X - 16, start.Bottom() + 4);
    cairo_curve_to(cr, start.X - 10, start.Y - 22, start.Right() + 10, start.Y - 22, start.Right() + 16,
                   start.Bottom() - 6);
    cairo_set_line_width(cr, 2.5);
    SetColor(cr, Hex(0xFFFFFF, 0.9));
    cairo_stroke(cr);
    FillPolygon(cr,
                {{start.Right() + 10, start.Bottom() - 12},
                 {start.Right() + 18, start.Bottom() + 2},
                 {start.Right() + 22, start.Bottom() - 14}},
                Hex(0xFFFFFF, 0.9));
    DrawBadge(cr, start.Right() + 34, start.Y + 10, 9, 1);

    // 2: the thumbnail of the hot corner at the top left.
    const Rect corner{screen.X + 8, screen.Y + 8, 44, 32};
    FillRoundedRect(cr, corner, 2, Rgba{0.05, 0.05, 0.12, 0.6});
    MetroTiles(cr, corner.Inset(3), 3, 2);
    NoSign(cr, corner.Right() - 2, corner.Bottom() - 2, 9);
    DrawBadge(cr, corner.Right() + 20, corner.Y + 10, 9, 2);

    // 3: the sidebar at the right edge.
    const Rect bar{screen.Right() - 30, screen.Y, 30, screen.H - 22};
    cairo_rectangle(cr, bar.X, bar.Y, bar.W, bar.H);
    SetColor(cr, Rgba{0.02, 0.02, 0.05, 0.75});
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        Circle(cr, bar.CenterX(), bar.Y + 50 + i * 26, 6);
        cairo_set_line_width(cr, 1.5);
        SetColor(cr, Rgba{1, 1, 1, 0.8});
        cairo_stroke(cr);
    }
    NoSign(cr, bar.CenterX(), bar.Y + 102, 12);
    DrawBadge(cr, bar.X - 18, bar.Y + 70, 9, 3);

    const Point button = DrawTaskbar(cr, screen, 24);
    DrawSkinSample(cr, 0, TButtonState::Pressed, button.X, button.Y, 11);

    // The options menu above the button: ticks on the three rows the texts explain.
    const Rect menu{screen.X + 14, screen.Bottom() - 24 - 146, 178, 140};
    SoftShadow(cr, menu, 2, 5, 0.45, 2);
    FillRoundedRect(cr, menu, 2, Hex(0xF5F7FA));
    StrokeRoundedRect(cr, menu, 2, 1, Hex(0x8C98A8));
    struct Row {
        bool separator;
        bool checked;
        double length;
        int badge;
    };
    const Row rows[] = {{false, true, 78, 0},  {false, true, 92, 1},  {true, false, 0, 0}, {false, false, 118, 0},
                        {false, true, 124, 2}, {false, true, 110, 3}, {true, false, 0, 0}, {false, false, 30, 0}};
    double y = menu.Y + 4;
    for (const Row& row : rows) {
        if (row.separator) {
            FillPixels(cr, static_cast<int>(menu.X + 26), static_cast<int>(y + 3), static_cast<int>(menu.W - 30), 1,
                       Hex(0xC9D1DB));
            y += 7;
            continue;
        }
        const Rect item{menu.X + 3, y, menu.W - 6, 19};
        if (row.badge != 0) {
            FillRoundedRect(cr, item, 2, Hex(0xDDEBFB));
            StrokeRoundedRect(cr, item, 2, 1, Hex(0xA7C6EC));
        }
        if (row.checked) {
            DrawCheck(cr, Rect{item.X + 5, item.Y + 4, 11, 11}, 1.8, Hex(0x1F2933));
        }
        FillRoundedRect(cr, Rect{item.X + 24, item.CenterY() - 2, row.length, 4}, 2, Hex(0x5B6878));
        if (row.badge != 0) {
            DrawBadge(cr, item.Right() - 11, item.CenterY(), 7.5, row.badge);
        }
        y += 19;
    }
}

// Page 1: the skin picker with the shipped skins, the chosen one shown in the taskbar, and the way to more.
void DrawUserInterfaceLogo(cairo_t* cr) {
    const Rect screen = DrawScreen(cr, 295);
    TSaved saved(cr);
    cairo_rectangle(cr, screen.X, screen.Y, screen.W, screen.H);
    cairo_clip(cr);

    // The dialog.
    const Rect dialog{screen.X + 24, screen.Y + 16, screen.W - 48, 150};
    SoftShadow(cr, dialog, 4, 6, 0.45, 2);
    FillRoundedRect(cr, dialog, 4, Hex(0xF1F4F8));
    StrokeRoundedRect(cr, dialog, 4, 1, Hex(0x7F8DA0));
    cairo_rectangle(cr, dialog.X + 1, dialog.Y + 1, dialog.W - 2, 17);
    SetVertical(cr, Rect{0, dialog.Y, 0, 18}, {{0, Hex(0x5AA6EC)}, {1, Hex(0x2D78CC)}});
    cairo_fill(cr);
    StrokeLine(cr, {dialog.Right() - 13, dialog.Y + 6}, {dialog.Right() - 7, dialog.Y + 12}, 1.5, Hex(0xFFFFFF));
    StrokeLine(cr, {dialog.Right() - 7, dialog.Y + 6}, {dialog.Right() - 13, dialog.Y + 12}, 1.5, Hex(0xFFFFFF));

    // Four skins side by side; the second is chosen.
    const double cell = 50;
    const double gap = 12;
    const double rowW = 4 * cell + 3 * gap;
    const double left = std::round(dialog.CenterX() - rowW / 2);
    const double top = dialog.Y + 30;
    for (int i = 0; i < 4; ++i) {
        const Rect c{left + i * (cell + gap), top, cell, cell};
        FillRoundedRect(cr, c, 4, i == 1 ? Hex(0xDDEBFB) : Hex(0xFFFFFF));
        StrokeRoundedRect(cr, c, 4, i == 1 ? 2 : 1, i == 1 ? Hex(0x3A86DA) : Hex(0xC3CCD7));
        DrawSkinSample(cr, i, TButtonState::Normal, c.CenterX(), c.CenterY(), 15);
    }
    DrawBadge(cr, left + cell + gap - 4, top - 2, 8, 1);

    // The combo box and the link to more skins, to the right so the path from the chosen skin stays clear.
    const Rect combo{left + rowW - 130, top + cell + 12, 130, 18};
    FillRoundedRect(cr, combo, 2, Hex(0xFFFFFF));
    StrokeRoundedRect(cr, combo, 2, 1, Hex(0x9AA8B8));
    FillRoundedRect(cr, Rect{combo.X + 6, combo.CenterY() - 2, 50, 4}, 2, Hex(0x5B6878));
    FillPolygon(cr,
                {{combo.Right() - 14, combo.CenterY() - 2},
                 {combo.Right() - 6, combo.CenterY() - 2},
                 {combo.Right() - 10, combo.CenterY() + 3}},
                Hex(0x3A4656));
    const double linkY = combo.Bottom() + 14;
    Globe(cr, combo.X + 8, linkY, 7, 1);
    FillRoundedRect(cr, Rect{combo.X + 22, linkY - 2, 108, 4}, 2, Hex(0x2D78CC));
    FillPixels(cr, static_cast<int>(combo.X + 22), static_cast<int>(linkY + 4), 108, 1, Hex(0x2D78CC));
    DrawBadge(cr, combo.X - 14, linkY, 8, 2);

    // The chosen skin, in the taskbar.
    const Point button = DrawTaskbar(cr, screen, 24);
    DrawSkinSample(cr, 1, TButtonState::Normal, button.X, button.Y, 11);
    cairo_move_to(cr, left + cell + gap + cell / 2, top + cell + 2);
    cairo_curve_to(cr, left + cell + gap + cell / 2, screen.Bottom() - 30, button.X + 60, screen.Bottom() - 14,
                   button.X + 16, button.Y - 2);
    cairo_set_line_width(cr, 2);
    const double dash[] = {4, 3};
    cairo_set_dash(cr, dash, 2, 0);
    SetColor(cr, Hex(0xFFFFFF, 0.85));
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    FillPolygon(cr, {{button.X + 13, button.Y - 1}, {button.X + 22, button.Y - 6}, {button.X + 21, button.Y + 3}},
                Hex(0xFFFFFF, 0.85));
}

// Page arrows (28 x 40).
void DrawArrowButton(cairo_t* cr, bool next, TButtonState state) {
    const Rect box{0, 0, 28, 40};
    if (state != TButtonState::Normal) {
        FillRoundedRect(cr, box, 5, Rgba{1, 1, 1, state == TButtonState::Hover ? 0.12 : 0.22});
        StrokeRoundedRect(cr, box, 5, 1, Rgba{1, 1, 1, 0.18});
    }
    const double shift = state == TButtonState::Pressed ? 1 : 0;
    const double x0 = next ? 10 : 18;
    const double x1 = next ? 18 : 10;
    cairo_move_to(cr, x0 + shift, 11 + shift);
    cairo_line_to(cr, x1 + shift, 20 + shift);
    cairo_line_to(cr, x0 + shift, 29 + shift);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, Rgba{1, 1, 1, state == TButtonState::Normal ? 0.6 : 0.95});
    cairo_stroke(cr);
}

void DrawCloseButton(cairo_t* cr, TButtonState state) {
    const double c = 15.5;
    switch (state) {
        case TButtonState::Normal:
            FillCircle(cr, c, c, 13, Rgba{1, 1, 1, 0.08});
            Circle(cr, c, c, 12.5);
            cairo_set_line_width(cr, 1);
            SetColor(cr, Rgba{1, 1, 1, 0.25});
            cairo_stroke(cr);
            break;
        case TButtonState::Hover:
            Circle(cr, c, c, 13);
            SetVertical(cr, Rect{0, 2.5, 0, 26}, {{0, Hex(0xF06A5E)}, {1, Hex(0xC7362B)}});
            cairo_fill(cr);
            break;
        case TButtonState::Pressed:
            FillCircle(cr, c, c, 13, Hex(0x9E2A21));
            break;
    }
    const double a = 5;
    const Rgba ink{1, 1, 1, state == TButtonState::Normal ? 0.7 : 1};
    StrokeLine(cr, {c - a, c - a}, {c + a, c + a}, 2.2, ink);
    StrokeLine(cr, {c + a, c - a}, {c - a, c + a}, 2.2, ink);
}

void DrawDot(cairo_t* cr, bool on) {
    if (on) {
        Circle(cr, 10, 10, 8);
        SetRadial(cr, 10, 10, 3, 8, {{0, Hex(0x7CC6FF, 0.7)}, {1, Hex(0x7CC6FF, 0)}});
        cairo_fill(cr);
        FillCircle(cr, 10, 10, 5, Hex(0xFFFFFF));
    } else {
        FillCircle(cr, 10, 10, 4.5, Rgba{1, 1, 1, 0.28});
        Circle(cr, 10, 10, 4);
        cairo_set_line_width(cr, 1);
        SetColor(cr, Rgba{1, 1, 1, 0.35});
        cairo_stroke(cr);
    }
}

}  // namespace

void AddGuidePictures(TPictureList& list) {
    Add(list, "BACKGROUND", "background.png", kWidth, kHeight, DrawBackground);
    Add(list, "MENULOGO", "menulogo.png", 383, 295, DrawMenuLogo);
    // Text tops relative to the panel: the labels start 15 px below the panel's top.
    Add(list, "BACKTEXT1", "backtext1.png", 280, 309, [](cairo_t* cr) {
        DrawTextPanel(cr, 280, 309, {15, 107, 235}, {83, 210});
    });
    Add(list, "USERINTERFACE_LOGO", "userinterface_logo.png", 383, 295, DrawUserInterfaceLogo);
    Add(list, "BACKTEXT2", "backtext2.png", 280, 197, [](cairo_t* cr) {
        DrawTextPanel(cr, 280, 197, {15, 130}, {100});
    });
    for (const auto& s : kButtonStates) {
        const TButtonState state = s.State;
        Add(list, std::string("BACK_") + s.Resource, std::string("back_") + s.File + ".png", 28, 40,
            [state](cairo_t* cr) { DrawArrowButton(cr, false, state); });
    }
    for (const auto& s : kButtonStates) {
        const TButtonState state = s.State;
        Add(list, std::string("NEXT_") + s.Resource, std::string("next_") + s.File + ".png", 28, 40,
            [state](cairo_t* cr) { DrawArrowButton(cr, true, state); });
    }
    for (const auto& s : kButtonStates) {
        const TButtonState state = s.State;
        Add(list, std::string("CLOSE_") + s.Resource, std::string("close_") + s.File + ".png", 31, 31,
            [state](cairo_t* cr) { DrawCloseButton(cr, state); });
    }
    Add(list, "DOT_OFF", "dot_off.png", 20, 20, [](cairo_t* cr) { DrawDot(cr, false); });
    Add(list, "DOT_ON", "dot_on.png", 20, 20, [](cairo_t* cr) { DrawDot(cr, true); });
}

}  // namespace artwork
