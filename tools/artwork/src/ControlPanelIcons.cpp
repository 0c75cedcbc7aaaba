// The 48 icons of the control-panel search results (Control_IcoImgList), 16 x 16, one per row of the item table
// and in its order: the icon of row i is icon i of the image list.

#include "IconKit.h"
#include "Motifs.h"
#include "Pictures.h"

#include <cmath>
#include <cstdio>

namespace artwork {

namespace {

constexpr double L = 1;  // outline width at 16 px

void Bolt(cairo_t* cr, double x, double y, double s) {
    Polygon(cr, {{x + 3 * s, y},
                 {x, y + 5 * s},
                 {x + 2.2 * s, y + 5 * s},
                 {x + 1.2 * s, y + 9 * s},
                 {x + 4.5 * s, y + 3.6 * s},
                 {x + 2.3 * s, y + 3.6 * s},
                 {x + 3.5 * s, y}});
    ShadePath(cr, y, y + 9 * s, Tone(0xFFF3A0, 0xF5C211, 0x8A6508), 0.8);
}

void PowerOptions(cairo_t* cr) {
    Block(cr, Rect{1, 4, 12, 9}, 1, tones::Grey(), L);
    FillPixels(cr, 13, 6, 2, 5, Hex(0x667282));
    cairo_rectangle(cr, 2, 5, 7, 7);
    SetVertical(cr, Rect{2, 5, 7, 7}, {{0, Hex(0xA4E07C)}, {1, Hex(0x3E9B2E)}});
    cairo_fill(cr);
    Bolt(cr, 5, 2.5, 1.25);
}

void NotificationAreaIcons(cairo_t* cr) {
    Block(cr, Rect{0, 9, 16, 7}, 0, tones::Dark(), L);
    FillPixels(cr, 7, 11, 3, 3, Hex(0x4CC24A));
    FillPixels(cr, 11, 11, 3, 3, Hex(0x3D8FE6));
    // The flyout of hidden icons above its chevron.
    Block(cr, Rect{1, 1, 10, 7}, 1, tones::Paper(), L);
    FillPixels(cr, 3, 3, 2, 2, Hex(0xE5483C));
    FillPixels(cr, 6, 3, 2, 2, Hex(0xF2C23A));
    FillPolygon(cr, {{2, 14}, {4, 11}, {6, 14}}, Hex(0xFFFFFF));
}

void Taskbar(cairo_t* cr) {
    Block(cr, Rect{0, 2, 16, 12}, 1, Tone(0x9ED4FF, 0x3C8EDC, 0x1B4F8C), L);
    FillPixels(cr, 1, 10, 14, 3, Hex(0x1D2833));
    FillCircle(cr, 3.5, 11.5, 1.6, Hex(0x6FC0FF));
    FillPixels(cr, 6, 11, 3, 1, Hex(0x7F8FA3));
    FillPixels(cr, 10, 11, 3, 1, Hex(0x7F8FA3));
}

void CredentialManager(cairo_t* cr) {
    // A safe with its dial.
    Block(cr, Rect{1, 1, 14, 13}, 1, Tone(0xB8C6D6, 0x6C7E94, 0x2E3B4B), L);
    FillPixels(cr, 3, 14, 2, 2, Hex(0x2E3B4B));
    FillPixels(cr, 11, 14, 2, 2, Hex(0x2E3B4B));
    Disc(cr, 8, 7.5, 4, Tone(0xFFFFFF, 0xD8DFE8, 0x2E3B4B), L);
    StrokeLine(cr, {8, 7.5}, {10, 5.5}, 1.2, Hex(0x2E3B4B));
}

void WindowFrame(cairo_t* cr, const Rect& r) {
    Block(cr, r, 1, tones::Paper(), L);
    FillPixels(cr, static_cast<int>(r.X + 1), static_cast<int>(r.Y + 1), static_cast<int>(r.W - 2), 2, Hex(0x3B82D6));
}

void DefaultPrograms(cairo_t* cr) {
    WindowFrame(cr, Rect{0, 1, 12, 10});
    FillPixels(cr, 2, 5, 6, 1, Hex(0xA9BBD0));
    FillPixels(cr, 2, 7, 4, 1, Hex(0xA9BBD0));
    CheckBadge(cr, 11, 11, 4.5, L);
}

void RemoteDesktop(cairo_t* cr) {
    Monitor(cr, Rect{5, 0, 11, 11}, Tone(0x9ED4FF, 0x2C6FC4, 0x0F3566), L);
    // Reaching into the remote screen from outside.
    const Rgba green = Hex(0x2E9A34);
    cairo_move_to(cr, 1.5, 16);
    cairo_line_to(cr, 1.5, 7.5);
    cairo_line_to(cr, 4, 7.5);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    SetColor(cr, green);
    cairo_stroke(cr);
    FillPolygon(cr, {{3.5, 4}, {7.5, 7.5}, {3.5, 11}}, green);
}

void WindowsUpdate(cairo_t* cr) {
    Disc(cr, 8, 8, 7.5, Tone(0x8FD0FF, 0x1F6CC8, 0x0E3A78), L);
    Arrow(cr, {8, 3}, {8, 12.5}, 2.4, 4.5, Hex(0xFFFFFF));
}

void DesktopGadgets(cairo_t* cr) {
    Block(cr, Rect{6, 6, 10, 10}, 2, Tone(0xFFD98A, 0xF08A1C, 0x9C4C08), L);
    FillCircle(cr, 11, 11, 2.2, Hex(0xFFF6D0));
    Clock(cr, 6, 6, 5.5, L, 10, 10);
}

void WindowsFirewall(cairo_t* cr) {
    const Rect wall{0, 5, 16, 10};
    Block(cr, wall, 0, Tone(0xE98C6B, 0xB84A2C, 0x6E2614), L);
    const Rgba mortar = Hex(0xF6D2C2);
    for (int y : {8, 11}) {
        FillPixels(cr, 1, y, 14, 1, mortar);
    }
    for (int x : {5, 11}) {
        FillPixels(cr, x, 6, 1, 2, mortar);
        FillPixels(cr, x, 12, 1, 2, mortar);
    }
    FillPixels(cr, 8, 9, 1, 2, mortar);
    Globe(cr, 11.5, 4.5, 4, L);
}

void PhoneAndModem(cairo_t* cr) {
    Polygon(cr, {{2.5, 15.5}, {4.5, 7.5}, {11.5, 7.5}, {13.5, 15.5}});
    ShadePath(cr, 7, 16, tones::Grey(), L);
    // Handset across the top.
    cairo_move_to(cr, 1.5, 7.5);
    cairo_curve_to(cr, 1.5, 2, 14.5, 2, 14.5, 7.5);
    cairo_line_to(cr, 11.5, 7.5);
    cairo_curve_to(cr, 11, 5, 5, 5, 4.5, 7.5);
    cairo_close_path(cr);
    ShadePath(cr, 3, 8, tones::Dark(), L);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            FillPixels(cr, 5 + col * 2, 10 + row * 2, 1, 1, Hex(0x2D3540));
        }
    }
}

void SpeechRecognition(cairo_t* cr) {
    Block(cr, Rect{5, 0, 6, 10}, 3, Tone(0xC5CDD8, 0x6E7A89, 0x2C3440), L);
    FillPixels(cr, 6, 3, 4, 1, Hex(0x2C3440));
    FillPixels(cr, 6, 5, 4, 1, Hex(0x2C3440));
    cairo_arc(cr, 8, 7, 5, 0, M_PI);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Hex(0x2F7BD6));
    cairo_stroke(cr);
    FillPixels(cr, 7, 12, 2, 2, Hex(0x2F7BD6));
    FillPixels(cr, 4, 14, 8, 2, Hex(0x2F7BD6));
}

void UserAccounts(cairo_t* cr) {
    Person(cr, 10.5, 1, 12, tones::Green(), L);
    Person(cr, 6, 3.5, 12.5, tones::Blue(), L);
}

void Region(cairo_t* cr) {
    Globe(cr, 7, 7, 6.5, L);
    Clock(cr, 11.5, 11.5, 4.5, L, 2, 0);
}

void HomeGroup(cairo_t* cr) {
    Block(cr, Rect{3, 7, 10, 9}, 0, tones::Paper(), L);
    FillPixels(cr, 7, 11, 3, 5, Hex(0x2F7BD6));
    Polygon(cr, {{0.5, 8.5}, {8, 1}, {15.5, 8.5}, {13, 8.5}, {8, 3.8}, {3, 8.5}});
    ShadePath(cr, 1, 9, tones::Orange(), L);
}

void Mouse(cairo_t* cr) {
    StrokeLine(cr, {8, 4}, {8, 1.5}, 1, Hex(0x667282));
    cairo_move_to(cr, 8, 1.5);
    cairo_curve_to(cr, 8, 0.5, 11, 0.5, 12, 1.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Block(cr, Rect{3, 4, 10, 12}, 5, tones::Grey(), L);
    FillPixels(cr, 8, 5, 1, 4, Hex(0x667282));
    FillPixels(cr, 4, 8, 9, 1, Hex(0x667282));
    FillPixels(cr, 4, 5, 4, 3, Hex(0x8EC3F5));
}

void FolderOptions(cairo_t* cr) {
    Folder(cr, Rect{0, 1, 13, 11}, L);
    Gear(cr, 11.5, 11.5, 4.5, 7, tones::Grey(), L);
}

void Keyboard(cairo_t* cr) {
    Block(cr, Rect{0, 4, 16, 9}, 1, tones::Grey(), L);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 6; ++col) {
            FillPixels(cr, 2 + col * 2, 6 + row * 2, 1, 1, Hex(0x3B4552));
        }
    }
    FillPixels(cr, 4, 10, 8, 1, Hex(0x3B4552));
}

void DeviceManager(cairo_t* cr) {
    for (int i = 0; i < 4; ++i) {
        FillPixels(cr, 4 + i * 2, 1, 1, 2, Hex(0x9AA5B3));
        FillPixels(cr, 4 + i * 2, 13, 1, 2, Hex(0x9AA5B3));
        FillPixels(cr, 1, 4 + i * 2, 2, 1, Hex(0x9AA5B3));
        FillPixels(cr, 13, 4 + i * 2, 2, 1, Hex(0x9AA5B3));
    }
    Block(cr, Rect{3, 3, 10, 10}, 1, tones::Dark(), L);
    FillPixels(cr, 5, 5, 6, 6, Hex(0x3E9B2E));
    FillPixels(cr, 6, 6, 4, 4, Hex(0x9BDC74));
}

void PerformanceInformation(cairo_t* cr) {
    // A dial: green, yellow, red, and the needle.
    const double cx = 8;
    const double cy = 11;
    struct Segment {
        double from;
        double to;
        uint32_t color;
    };
    for (const Segment& s : {Segment{M_PI, M_PI * 1.4, 0x3E9B2E}, Segment{M_PI * 1.4, M_PI * 1.7, 0xF0BE36},
                             Segment{M_PI * 1.7, M_PI * 2, 0xD6382C}}) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 5.5, s.from, s.to);
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        SetColor(cr, Hex(s.color));
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 7.5, M_PI, 2 * M_PI);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x3A4656));
    cairo_stroke(cr);
    FillPixels(cr, 0, 11, 16, 1, Hex(0x3A4656));
    StrokeLine(cr, {cx, cy}, {cx + 4, cy - 5}, 1.4, Hex(0x1F2933));
    FillCircle(cr, cx, cy, 1.6, Hex(0x1F2933));
    FillPixels(cr, 2, 13, 12, 2, Hex(0xA9B6C6));
}

void ProgramsAndFeatures(cairo_t* cr) {
    const TTone card = Tone(0xF4D3A1, 0xC98F45, 0x7A5322);
    // Disc rising out of a box.
    Circle(cr, 8, 6, 5.5);
    SetRadial(cr, 8, 6, 1, 5.5, {{0, Hex(0xFFFFFF)}, {0.6, Hex(0xC8D3E0)}, {1, Hex(0xE9EEF4)}});
    cairo_fill(cr);
    Circle(cr, 8, 6, 5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x7F8DA0));
    cairo_stroke(cr);
    FillCircle(cr, 8, 6, 1.2, Hex(0x7F8DA0));
    Block(cr, Rect{1, 8, 14, 8}, 0, card, L);
    Polygon(cr, {{0.5, 8.5}, {3, 6.5}, {5, 8.5}});
    ShadePath(cr, 6, 9, card, L);
    Polygon(cr, {{11, 8.5}, {13, 6.5}, {15.5, 8.5}});
    ShadePath(cr, 6, 9, card, L);
    FillPixels(cr, 6, 10, 4, 2, Hex(0xFFFFFF));
}

void Pen(cairo_t* cr, Point tip, double length, double angle, double width) {
    TSaved saved(cr);
    cairo_translate(cr, tip.X, tip.Y);
    cairo_rotate(cr, angle);
    // Along +x from the tip.
    Polygon(cr, {{0, 0}, {3, -width / 2}, {length, -width / 2}, {length, width / 2}, {3, width / 2}});
    ShadePath(cr, -width / 2, width / 2, tones::Blue(), 0.8);
    FillPolygon(cr, {{0, 0}, {3, -width / 2 + 0.4}, {3, width / 2 - 0.4}}, Hex(0xE8D5B0));
    FillPolygon(cr, {{0, 0}, {1.2, -0.6}, {1.2, 0.6}}, Hex(0x1F2933));
}

void TabletSettings(cairo_t* cr) {
    Block(cr, Rect{0, 1, 13, 15}, 2, tones::Dark(), L);
    cairo_rectangle(cr, 2, 3, 9, 11);
    SetVertical(cr, Rect{2, 3, 9, 11}, {{0, Hex(0xB5E0FF)}, {1, Hex(0x4A9BE6)}});
    cairo_fill(cr);
    Pen(cr, {8.5, 10.5}, 9, -M_PI / 4, 2.8);
}

void IndexingOptions(cairo_t* cr) {
    Document(cr, Rect{1, 0, 11, 14}, L);
    FillCircle(cr, 10, 10, 3.8, Rgba{1, 1, 1, 0.85});
    DrawMagnifier(cr, 10, 10, 3.2, 1.4, Hex(0x1F5FAF));
}

void NetworkAndSharing(cairo_t* cr) {
    const Rgba link = Hex(0x3A4656);
    StrokeLine(cr, {4, 4}, {12, 4}, 1, link);
    StrokeLine(cr, {4, 4}, {8, 12}, 1, link);
    StrokeLine(cr, {12, 4}, {8, 12}, 1, link);
    Disc(cr, 4, 4, 3.5, tones::Blue(), L);
    Disc(cr, 12, 4, 3.5, tones::Green(), L);
    Disc(cr, 8, 12, 3.5, tones::Orange(), L);
}

void ParentalControls(cairo_t* cr) {
    Person(cr, 6, 0.5, 15, tones::Blue(), L);
    Person(cr, 12, 6.5, 9.5, tones::Orange(), L);
}

void AutoPlay(cairo_t* cr) {
    Circle(cr, 7, 7, 6.5);
    SetRadial(cr, 7, 7, 1, 6.5, {{0, Hex(0xFFFFFF)}, {0.55, Hex(0xC8D3E0)}, {0.8, Hex(0xF3F6FA)}, {1, Hex(0xBAC6D4)}});
    cairo_fill(cr);
    Circle(cr, 7, 7, 6);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x7F8DA0));
    cairo_stroke(cr);
    FillCircle(cr, 7, 7, 1.5, Hex(0x7F8DA0));
    Disc(cr, 11.5, 11.5, 4.5, tones::Green(), L);
    FillPolygon(cr, {{10, 9}, {14, 11.5}, {10, 14}}, Hex(0xFFFFFF));
}

void SyncCenter(cairo_t* cr) {
    const Rgba green = Hex(0x2E9A34);
    ArcArrow(cr, 8, 8, 5.5, M_PI * 1.1, M_PI * 1.95, 2, green);
    ArcArrow(cr, 8, 8, 5.5, M_PI * 0.1, M_PI * 0.95, 2, green);
}

void Recovery(cairo_t* cr) {
    Disc(cr, 8, 8, 4.5, Tone(0xFFFFFF, 0xE6ECF3, 0x7A889A), L);
    FillPixels(cr, 7, 5, 2, 6, Hex(0xD6382C));
    FillPixels(cr, 5, 7, 6, 2, Hex(0xD6382C));
    // Turning back: the arrow runs counter-clockwise.
    cairo_save(cr);
    cairo_translate(cr, 16, 0);
    cairo_scale(cr, -1, 1);
    ArcArrow(cr, 8, 8, 6.8, M_PI * 0.75, M_PI * 2.35, 1.7, Hex(0x1F6CC8));
    cairo_restore(cr);
}

void InternetOptions(cairo_t* cr) {
    Globe(cr, 7, 7, 6.5, L);
    Gear(cr, 11.5, 11.5, 4.5, 7, tones::Grey(), L);
}

void DevicesAndPrinters(cairo_t* cr) {
    Printer(cr, Rect{0, 1, 16, 14}, L);
}

void ColorManagement(cairo_t* cr) {
    cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
    FillCircle(cr, 8, 5.5, 5, Hex(0xFF6A5C, 0.9));
    FillCircle(cr, 5, 10.5, 5, Hex(0x5CD65C, 0.9));
    FillCircle(cr, 11, 10.5, 5, Hex(0x5C9CFF, 0.9));
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void HardDisk(cairo_t* cr, const Rect& r) {
    Block(cr, r, 1, tones::Grey(), L);
    FillPixels(cr, static_cast<int>(r.X + 2), static_cast<int>(r.Bottom() - 3), static_cast<int>(r.W - 7), 1,
               Hex(0x8A96A6));
    FillPixels(cr, static_cast<int>(r.Right() - 4), static_cast<int>(r.Bottom() - 3), 2, 1, Hex(0x38C23A));
}

void RestoreBackups(cairo_t* cr) {
    HardDisk(cr, Rect{0, 8, 16, 7});
    Arrow(cr, {8, 9}, {8, 0.5}, 2.4, 4.5, Hex(0x2E9A34));
}

void System(cairo_t* cr) {
    Monitor(cr, Rect{0, 2, 11, 12}, Tone(0x9ED4FF, 0x2C6FC4, 0x0F3566), L);
    Block(cr, Rect{11, 3, 5, 13}, 1, tones::Grey(), L);
    FillPixels(cr, 12, 5, 3, 1, Hex(0x667282));
    FillPixels(cr, 12, 7, 3, 1, Hex(0x667282));
    FillPixels(cr, 13, 13, 1, 1, Hex(0x38C23A));
}

void ActionCenter(cairo_t* cr) {
    FillPixels(cr, 2, 1, 2, 15, Hex(0x3A4656));
    cairo_move_to(cr, 4, 1.5);
    cairo_curve_to(cr, 7, 0, 9, 3.5, 14.5, 2);
    cairo_line_to(cr, 14.5, 9);
    cairo_curve_to(cr, 9, 10.5, 7, 7, 4, 8.5);
    cairo_close_path(cr);
    ShadePath(cr, 1, 10, tones::Paper(), L);
}

void Fonts(cairo_t* cr) {
    Block(cr, Rect{1, 1, 14, 14}, 1, Tone(0xFFF4C4, 0xF5D77A, 0xA07616), L);
    const Rgba ink = Hex(0x1F3F73);
    cairo_move_to(cr, 3.5, 13);
    cairo_line_to(cr, 8, 3);
    cairo_line_to(cr, 12.5, 13);
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColor(cr, ink);
    cairo_stroke(cr);
    FillPixels(cr, 5, 9, 6, 1, ink);
}

void Bubble(cairo_t* cr, const Rect& r, bool tailLeft, const TTone& tone) {
    RoundedRect(cr, r, 2);
    const double tx = tailLeft ? r.X + 3 : r.Right() - 3;
    cairo_move_to(cr, tx - 1.5, r.Bottom() - 0.5);
    cairo_line_to(cr, tailLeft ? r.X + 1 : r.Right() - 1, r.Bottom() + 2.5);
    cairo_line_to(cr, tx + 1.5, r.Bottom() - 0.5);
    ShadePath(cr, r.Y, r.Bottom(), tone, L);
}

void Language(cairo_t* cr) {
    Bubble(cr, Rect{0.5, 0.5, 10, 8}, true, tones::Blue());
    Bubble(cr, Rect{5.5, 5.5, 10, 8}, false, tones::Green());
    FillPixels(cr, 8, 8, 5, 1, Hex(0xFFFFFF));
    FillPixels(cr, 8, 10, 4, 1, Hex(0xFFFFFF));
    FillPixels(cr, 3, 3, 5, 1, Hex(0xFFFFFF));
}

void Display(cairo_t* cr) {
    Monitor(cr, Rect{0, 1, 16, 14}, Tone(0xFFC36B, 0x9B4FD0, 0x4B2A80), L);
    FillCircle(cr, 5, 5, 1.8, Hex(0xFFF3B0));
}

void Troubleshooting(cairo_t* cr) {
    TSaved saved(cr);
    cairo_translate(cr, 8, 8);
    cairo_rotate(cr, M_PI / 4);
    // Handle, and a jaw open to the top.
    Block(cr, Rect{-1.5, -3, 3, 11.5}, 1, tones::Grey(), L);
    cairo_new_path(cr);
    cairo_arc(cr, 0, -4.5, 3.2, -M_PI / 2 + 0.75, M_PI * 1.5 - 0.75);
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColor(cr, Hex(0x667282));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Hex(0xD5DBE3));
    cairo_stroke(cr);
}

void AdministrativeTools(cairo_t* cr) {
    Gear(cr, 5.5, 5.5, 5.2, 8, tones::Grey(), L);
    Gear(cr, 11, 11, 4.8, 7, tones::Blue(), L);
}

void EaseOfAccess(cairo_t* cr) {
    Disc(cr, 8, 8, 7.5, Tone(0x7CC4FF, 0x1D62C2, 0x0E3A78), L);
    const Rgba white = Hex(0xFFFFFF);
    FillCircle(cr, 8, 4, 1.5, white);
    StrokeLine(cr, {4, 6.5}, {12, 6.5}, 1.4, white);
    StrokeLine(cr, {8, 6.5}, {8, 9.5}, 1.6, white);
    StrokeLine(cr, {8, 9.5}, {5.5, 12.5}, 1.4, white);
    StrokeLine(cr, {8, 9.5}, {10.5, 12.5}, 1.4, white);
}

void WindowsDefender(cairo_t* cr) {
    Shield(cr, Rect{1, 0, 14, 16}, tones::Teal(), L);
    // A quartered crest.
    FillPixels(cr, 7, 2, 2, 12, Hex(0xFFFFFF, 0.9));
    FillPixels(cr, 2, 6, 12, 2, Hex(0xFFFFFF, 0.9));
}

void BitLocker(cairo_t* cr) {
    HardDisk(cr, Rect{0, 3, 13, 7});
    Padlock(cr, Rect{7, 6, 9, 10}, L);
}

void DateAndTime(cairo_t* cr) {
    Block(cr, Rect{0, 1, 12, 12}, 1, tones::Paper(), L);
    FillPixels(cr, 1, 2, 10, 3, Hex(0xD6382C));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            FillPixels(cr, 2 + col * 3, 6 + row * 3, 2, 2, Hex(0x9DB2CB));
        }
    }
    Clock(cr, 11.5, 11.5, 4.5, L, 4, 0);
}

void LocationSettings(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 8, 14);
    cairo_scale(cr, 6, 1.8);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColor(cr, Rgba{0, 0, 0, 0.25});
    cairo_fill(cr);
    cairo_move_to(cr, 8, 14.5);
    cairo_curve_to(cr, 6, 10.5, 3, 8.5, 3, 5.5);
    cairo_arc(cr, 8, 5.5, 5, M_PI, 2 * M_PI);
    cairo_curve_to(cr, 13, 8.5, 10, 10.5, 8, 14.5);
    cairo_close_path(cr);
    ShadePath(cr, 0.5, 14.5, tones::Red(), L);
    FillCircle(cr, 8, 5.5, 2, Hex(0xFFFFFF));
}

void Personalization(cairo_t* cr) {
    cairo_move_to(cr, 8, 1);
    cairo_curve_to(cr, 13, 1, 15.5, 4.5, 15.5, 8);
    cairo_curve_to(cr, 15.5, 12, 12, 15, 8, 15);
    cairo_curve_to(cr, 4, 15, 0.5, 12.5, 0.5, 8.5);
    cairo_curve_to(cr, 0.5, 6, 3, 6.5, 4.5, 8);
    cairo_curve_to(cr, 6, 9, 7, 7, 5.5, 5.5);
    cairo_curve_to(cr, 4, 4, 4.5, 1, 8, 1);
    cairo_close_path(cr);
    ShadePath(cr, 1, 15, Tone(0xF7E2C0, 0xD9B07A, 0x7A5322), L);
    FillCircle(cr, 9, 4.5, 1.6, Hex(0xD6382C));
    FillCircle(cr, 12.5, 7.5, 1.6, Hex(0x2F7BD6));
    FillCircle(cr, 11, 11.5, 1.6, Hex(0x3E9B2E));
    FillCircle(cr, 6.5, 12, 1.6, Hex(0xF0BE36));
}

void Sound(cairo_t* cr) {
    Speaker(cr, Rect{0, 2, 16, 12}, L, 2);
}

void FileHistory(cairo_t* cr) {
    Folder(cr, Rect{0, 1, 13, 11}, L);
    Clock(cr, 11.5, 11.5, 4.5, L, 8, 0);
    cairo_new_path(cr);
    cairo_arc(cr, 11.5, 11.5, 4.5, M_PI * 0.6, M_PI * 1.1);
    cairo_set_line_width(cr, 1.4);
    SetColor(cr, Hex(0x2E9A34));
    cairo_stroke(cr);
}

void PenAndTouch(cairo_t* cr) {
    Pen(cr, {3.5, 12.5}, 14, -M_PI / 4, 3.2);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x2F7BD6));
    for (double r : {2.5, 4.5}) {
        cairo_new_path(cr);
        cairo_arc(cr, 3.5, 12.5, r, M_PI * 0.5, M_PI * 1.25);
        cairo_stroke(cr);
    }
}

void SixteenBitSupport(cairo_t* cr) {
    // A diskette.
    Polygon(cr, {{0.5, 0.5}, {13, 0.5}, {15.5, 3}, {15.5, 15.5}, {0.5, 15.5}});
    ShadePath(cr, 0, 16, Tone(0x5C6E8A, 0x27344A, 0x111821), L);
    FillPixels(cr, 4, 1, 8, 5, Hex(0xC5CDD8));
    FillPixels(cr, 9, 2, 2, 3, Hex(0x27344A));
    FillPixels(cr, 3, 9, 10, 6, Hex(0xF4F6F9));
    FillPixels(cr, 4, 11, 8, 1, Hex(0xA9B6C6));
    FillPixels(cr, 4, 13, 6, 1, Hex(0xA9B6C6));
}

struct TIcon {
    const char* File;
    void (*Draw)(cairo_t*);
};

// Row order of the control-panel item table.
const TIcon kIcons[] = {
    {"power_options", PowerOptions},
    {"notification_area_icons", NotificationAreaIcons},
    {"taskbar", Taskbar},
    {"credential_manager", CredentialManager},
    {"default_programs", DefaultPrograms},
    {"remoteapp_and_desktop_connections", RemoteDesktop},
    {"windows_update", WindowsUpdate},
    {"desktop_gadgets", DesktopGadgets},
    {"windows_firewall", WindowsFirewall},
    {"phone_and_modem", PhoneAndModem},
    {"speech_recognition", SpeechRecognition},
    {"user_accounts", UserAccounts},
    {"region", Region},
    {"homegroup", HomeGroup},
    {"mouse", Mouse},
    {"folder_options", FolderOptions},
    {"keyboard", Keyboard},
    {"device_manager", DeviceManager},
    {"performance_information_and_tools", PerformanceInformation},
    {"programs_and_features", ProgramsAndFeatures},
    {"tablet_pc_settings", TabletSettings},
    {"indexing_options", IndexingOptions},
    {"network_and_sharing_center", NetworkAndSharing},
    {"parental_controls", ParentalControls},
    {"autoplay", AutoPlay},
    {"sync_center", SyncCenter},
    {"recovery", Recovery},
    {"internet_options", InternetOptions},
    {"devices_and_printers", DevicesAndPrinters},
    {"color_management", ColorManagement},
    {"restore_windows7_backups", RestoreBackups},
    {"system", System},
    {"action_center", ActionCenter},
    {"fonts", Fonts},
    {"language", Language},
    {"display", Display},
    {"troubleshooting", Troubleshooting},
    {"administrative_tools", AdministrativeTools},
    {"ease_of_access_center", EaseOfAccess},
    {"windows_defender", WindowsDefender},
    {"bitlocker_drive_encryption", BitLocker},
    {"date_and_time", DateAndTime},
    {"location_settings", LocationSettings},
    {"personalization", Personalization},
    {"sound", Sound},
    {"file_history", FileHistory},
    {"pen_and_touch", PenAndTouch},
    {"16bit_application_support", SixteenBitSupport},
};

}  // namespace

void AddControlPanelIcons(TPictureList& list) {
    int row = 0;
    for (const TIcon& icon : kIcons) {
        char number[8];
        std::snprintf(number, sizeof number, "%02d", row++);
        list.push_back({TFolder::Embedded, std::string("CONTROLPANEL_") + number,
                        std::string("controlpanel/") + number + "_" + icon.File + ".png", 16, 16, icon.Draw});
    }
}

}  // namespace artwork
