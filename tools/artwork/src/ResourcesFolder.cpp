// Pictures read from Resources\ at run time: the user frame, the default account picture and the large picture of
// each right-hand link, all shown in the floating picture window above the menu's right column.
//
// The window is 64 x 64 and draws the account picture at (13, 12) in 46 x 46, so the frame's opening sits there
// and the frame is drawn around it; the link pictures use the same frame so the picture does not jump when the
// pointer moves from the user name to a link.

#include "LinkIcons.h"
#include "Motifs.h"
#include "Pictures.h"

namespace artwork {

namespace {

constexpr int kWindow = 64;
const Rect kOpening{13, 12, 46, 46};
const Rect kFrame{8, 7, 56, 56};

void DrawFrame(cairo_t* cr) {
    FillRoundedRect(cr, kFrame, 6, Rgba{0.02, 0.06, 0.12, 0.70});
    RoundedRect(cr, kFrame.Inset(1), 5);
    SetVertical(cr, kFrame,
                {{0, Rgba{1, 1, 1, 0.92}},
                 {0.45, Rgba{0.86, 0.91, 0.97, 0.80}},
                 {0.5, Rgba{0.74, 0.82, 0.92, 0.78}},
                 {1, Rgba{0.88, 0.93, 0.98, 0.88}}});
    cairo_fill(cr);
    StrokeRoundedRect(cr, kFrame.Inset(1), 5, 1, Rgba{1, 1, 1, 0.65});
    // A dark hairline around the opening sets the picture in.
    StrokeRoundedRect(cr, kOpening.Inset(-1), 2, 1, Rgba{0.05, 0.10, 0.18, 0.60});
    RoundedRect(cr, kOpening, 1.5);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void DrawLinkPicture(cairo_t* cr, TLinkIcon icon) {
    DrawFrame(cr);
    RoundedRect(cr, kOpening, 1.5);
    SetVertical(cr, kOpening, {{0, Hex(0xFBFDFF)}, {1, Hex(0xD9E6F4)}});
    cairo_fill(cr);
    TSaved saved(cr);
    RoundedRect(cr, kOpening, 1.5);
    cairo_clip(cr);
    DrawLinkIcon(cr, icon, kOpening);
}

// The account picture used when the user has none: a silhouette on a blue tile.
void DrawUser(cairo_t* cr) {
    const Rect tile{0, 0, 46, 46};
    cairo_rectangle(cr, tile.X, tile.Y, tile.W, tile.H);
    SetLinear(cr, 0, 0, 46, 46, {{0, Hex(0x5DB4F0)}, {1, Hex(0x1B5CA8)}});
    cairo_fill(cr);
    Circle(cr, 12, 8, 26);
    SetColor(cr, Rgba{1, 1, 1, 0.10});
    cairo_fill(cr);
    const Rgba figure{1, 1, 1, 0.92};
    FillCircle(cr, 23, 17, 8.5, figure);
    cairo_move_to(cr, 6, 46);
    cairo_curve_to(cr, 6, 33, 13, 28.5, 23, 28.5);
    cairo_curve_to(cr, 33, 28.5, 40, 33, 40, 46);
    cairo_close_path(cr);
    SetColor(cr, figure);
    cairo_fill(cr);
}

void AddLink(TPictureList& list, const char* file, TLinkIcon icon) {
    list.push_back(
        {TFolder::Resources, "", file, kWindow, kWindow, [icon](cairo_t* cr) { DrawLinkPicture(cr, icon); }});
}

}  // namespace

void AddResourcePictures(TPictureList& list) {
    list.push_back({TFolder::Resources, "", "userframe.png", kWindow, kWindow, DrawFrame});
    list.push_back({TFolder::Resources, "", "user.png", 46, 46, DrawUser});
    AddLink(list, "documents.png", TLinkIcon::Documents);
    AddLink(list, "pictures.png", TLinkIcon::Pictures);
    AddLink(list, "music.png", TLinkIcon::Music);
    AddLink(list, "games.png", TLinkIcon::Games);
    AddLink(list, "computer.png", TLinkIcon::Computer);
    AddLink(list, "control.png", TLinkIcon::ControlPanel);
    AddLink(list, "connect.png", TLinkIcon::Devices);
    AddLink(list, "defaultprograms.png", TLinkIcon::DefaultPrograms);
    AddLink(list, "help.png", TLinkIcon::Help);
}

}  // namespace artwork
