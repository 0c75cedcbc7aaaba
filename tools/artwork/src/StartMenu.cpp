// Pictures of the start-menu window: the white left pane, its separators and row highlights, the search box, and
// the right column's highlights, separators and glass buttons.
//
// The window paints itself black at alpha 160 over the glass; everything here is drawn to sit on that dark
// ground, except the left pane's pieces, which sit on the white panel.

#include "Motifs.h"
#include "Pictures.h"

#include <string>

namespace artwork {

namespace {

using TDraw = std::function<void(cairo_t*)>;

void Add(TPictureList& list, const std::string& resource, const std::string& file, int w, int h, TDraw draw) {
    list.push_back({TFolder::Embedded, "STARTMENU_" + resource, "startmenu/" + file, w, h, std::move(draw)});
}

// Draws a whole picture and keeps only the slice at (x, y): slices cut from one drawing always meet seamlessly.
TDraw Slice(TDraw whole, double x, double y) {
    return [whole, x, y](cairo_t* cr) {
        cairo_translate(cr, -x, -y);
        whole(cr);
    };
}

// The white panel behind the left pane: a faint light rim for the dark glass, a dark line, then white. Corners are
// 6 x 6; the edges and the centre are uniform along the direction they are stretched in.
constexpr int kCorner = 6;
constexpr int kEdgeLong = 43;
constexpr int kEdgeTall = 20;

void DrawPanel(cairo_t* cr) {
    const Rect outer{0, 0, kCorner * 2 + kEdgeLong, kCorner * 2 + kEdgeTall};
    FillRoundedRect(cr, outer, 5, Rgba{1, 1, 1, 0.32});
    FillRoundedRect(cr, outer.Inset(1), 4, Rgba{0.03, 0.06, 0.11, 0.85});
    FillRoundedRect(cr, outer.Inset(2), 3, Hex(0xFFFFFF));
}

void AddPanel(TPictureList& list) {
    struct Piece {
        const char* name;
        int x;
        int y;
        int w;
        int h;
    };
    const int c = kCorner;
    const int right = kCorner + kEdgeLong;
    const int bottom = kCorner + kEdgeTall;
    const Piece pieces[] = {
        {"topleft", 0, 0, c, c},
        {"topcenter", c, 0, kEdgeLong, c},
        {"topright", right, 0, c, c},
        {"centerleft", 0, c, c, kEdgeTall},
        {"", c, c, kEdgeLong, kEdgeTall},
        {"centerright", right, c, c, kEdgeTall},
        {"bottomleft", 0, bottom, c, c},
        {"bottomcenter", c, bottom, kEdgeLong, c},
        {"bottomright", right, bottom, c, c},
    };
    for (const Piece& p : pieces) {
        const std::string suffix = *p.name != 0 ? std::string("_") + p.name : "";
        std::string resource = "BG_MENU";
        for (char ch : suffix) {
            resource += static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
        }
        Add(list, resource, "bg_menu" + suffix + ".png", p.w, p.h, Slice(DrawPanel, p.x, p.y));
    }
}

// Fades a horizontal line in and out over `fade` pixels at both ends.
void SetFadingLine(cairo_t* cr, double width, double fade, Rgba c) {
    const double f = fade / width;
    SetLinear(cr, 0, 0, width, 0, {{0, WithAlpha(c, 0)}, {f, c}, {1 - f, c}, {1, WithAlpha(c, 0)}});
}

// Separator between the pinned and the frequent list (Image_Step1, Image_Step2), stretched to the list's width.
void DrawStep(cairo_t* cr) {
    cairo_rectangle(cr, 0, 2, 185, 1);
    SetFadingLine(cr, 185, 30, Hex(0xC9D3DF));
    cairo_fill(cr);
}

// Hot-track highlight of the view-switch row and of the result footer: three slices of one rounded box, the
// centre stretched by the window.
constexpr int kRowHeight = 24;

void DrawRowHighlight(cairo_t* cr) {
    const Rect box{0, 0, 9, kRowHeight};
    FillRoundedRect(cr, box, 3, Hex(0x8CB4E6));
    RoundedRect(cr, box.Inset(1), 2);
    SetVertical(cr, box, {{0, Hex(0xF5FAFF)}, {0.5, Hex(0xE6F0FD)}, {1, Hex(0xD3E5FA)}});
    cairo_fill(cr);
    StrokeRoundedRect(cr, box.Inset(1), 2, 1, Rgba{1, 1, 1, 0.75});
}

// The arrow before "All Programs" (picture 0) and before "Back" (picture 1).
void DrawProgramLogo(cairo_t* cr, bool back) {
    const Rgba c = Hex(0x2F5A8E);
    if (back) {
        FillPolygon(cr, {{10.5, 1.5}, {4.5, 6}, {10.5, 10.5}}, c);
    } else {
        FillPolygon(cr, {{5.5, 1.5}, {11.5, 6}, {5.5, 10.5}}, c);
    }
}

// Band behind the search box (Image_Search_bg): a hairline, then a light tint fading into the white panel. Uniform
// across, so it may be stretched or clipped to any width.
constexpr int kSearchBgWidth = 392;
constexpr int kSearchBgHeight = 41;

void DrawSearchBg(cairo_t* cr) {
    const Rect band{0, 0, kSearchBgWidth, kSearchBgHeight};
    cairo_rectangle(cr, band.X, band.Y, band.W, band.H);
    SetVertical(cr, band, {{0, Hex(0xE9EFF6)}, {0.6, Hex(0xF6F9FC)}, {1, Hex(0xFFFFFF)}});
    cairo_fill(cr);
    FillPixels(cr, 0, 0, kSearchBgWidth, 1, Hex(0xD5DDE7));
    FillPixels(cr, 0, 1, kSearchBgWidth, 1, Rgba{1, 1, 1, 0.9});
}

void DrawSearchFrame(cairo_t* cr) {
    const Rect frame{0, 0, 224, 24};
    FillRoundedRect(cr, frame, 3, Hex(0xA7B4C4));
    FillRoundedRect(cr, frame.Inset(1), 2, Hex(0xFFFFFF));
    // A hint of depth along the top inside edge.
    FillPixels(cr, 2, 1, 220, 1, Hex(0xE4E9EF));
}

// The 20 x 20 buttons inside the search frame.
void DrawFrameButtonBack(cairo_t* cr, TButtonState state) {
    const Rect box{0, 0, 20, 20};
    if (state == TButtonState::Hover) {
        FillRoundedRect(cr, box, 3, Hex(0x9DBFE8));
        RoundedRect(cr, box.Inset(1), 2);
        SetVertical(cr, box, {{0, Hex(0xF1F7FE)}, {1, Hex(0xD9E8FA)}});
        cairo_fill(cr);
    } else if (state == TButtonState::Pressed) {
        FillRoundedRect(cr, box, 3, Hex(0x7198CC));
        RoundedRect(cr, box.Inset(1), 2);
        SetVertical(cr, box, {{0, Hex(0xC3D9F3)}, {1, Hex(0xD8E7F9)}});
        cairo_fill(cr);
    }
}

Rgba GlyphColor(TButtonState state) {
    switch (state) {
        case TButtonState::Hover:
            return Hex(0x2C5F9E);
        case TButtonState::Pressed:
            return Hex(0x1D4679);
        case TButtonState::Normal:
            break;
    }
    return Hex(0x5E6F84);
}

void DrawSearchButton(cairo_t* cr, TButtonState state) {
    DrawFrameButtonBack(cr, state);
    const double shift = state == TButtonState::Pressed ? 0.5 : 0;
    DrawMagnifier(cr, 8.5 + shift, 8.5 + shift, 4, 1.6, GlyphColor(state));
}

void DrawClearButton(cairo_t* cr, TButtonState state) {
    DrawFrameButtonBack(cr, state);
    const double s = state == TButtonState::Pressed ? 0.5 : 0;
    const Rgba c = GlyphColor(state);
    StrokeLine(cr, {6.5 + s, 6.5 + s}, {13.5 + s, 13.5 + s}, 1.7, c);
    StrokeLine(cr, {13.5 + s, 6.5 + s}, {6.5 + s, 13.5 + s}, 1.7, c);
}

// "See more results": a magnifier over a page.
void DrawSearchResultLogo(cairo_t* cr) {
    const Rect page{2, 1, 10, 13};
    FillPixels(cr, 2, 1, 10, 13, Hex(0x8A9AAE));
    FillPixels(cr, 3, 2, 8, 11, Hex(0xFFFFFF));
    for (int y = 4; y <= 10; y += 2) {
        FillPixels(cr, 4, y, 5, 1, Hex(0xB9C6D5));
    }
    (void)page;
    FillCircle(cr, 9.5, 9.5, 3.6, Rgba{1, 1, 1, 0.85});
    DrawMagnifier(cr, 9.5, 9.5, 3.2, 1.5, Hex(0x2A64AE));
}

// Highlight behind a right-hand link on the dark glass (the ten link buttons share it).
void DrawLinkHighlight(cairo_t* cr) {
    const Rect box{0, 0, 136, 31};
    FillRoundedRect(cr, box, 3, Rgba{1, 1, 1, 0.34});
    RoundedRect(cr, box.Inset(1), 2);
    SetVertical(cr, box,
                {{0, Rgba{0.80, 0.88, 1, 0.24}},
                 {0.45, Rgba{0.70, 0.80, 0.98, 0.12}},
                 {0.5, Rgba{0.62, 0.74, 0.96, 0.09}},
                 {1, Rgba{0.66, 0.80, 1, 0.16}}});
    cairo_fill(cr);
    StrokeRoundedRect(cr, box.Inset(1), 2, 1, Rgba{1, 1, 1, 0.16});
}

// Etched separator of the right column: a dark line over a light one, fading at both ends.
void DrawRightStep(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 124, 1);
    SetFadingLine(cr, 124, 24, Rgba{0, 0, 0, 0.45});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 1, 124, 1);
    SetFadingLine(cr, 124, 24, Rgba{1, 1, 1, 0.22});
    cairo_fill(cr);
}

// The power button and its arrow are one split button cut in two; each half has its own state.
constexpr int kPowerWidth = 72;
constexpr int kArrowWidth = 23;
constexpr int kPowerHeight = 21;

void DrawSplitButton(cairo_t* cr, TButtonState state) {
    DrawGlassButton(cr, Rect{0, 0, kPowerWidth + kArrowWidth, kPowerHeight}, 3, state);
}

void DrawShutDown(cairo_t* cr, TButtonState state) {
    DrawSplitButton(cr, state);
    FillPixels(cr, kPowerWidth - 1, 2, 1, kPowerHeight - 4, Rgba{0, 0, 0, 0.40});
}

void DrawPopMenu(cairo_t* cr, TButtonState state) {
    cairo_save(cr);
    cairo_translate(cr, -kPowerWidth, 0);
    DrawSplitButton(cr, state);
    cairo_restore(cr);
    FillPixels(cr, 0, 2, 1, kPowerHeight - 4, Rgba{1, 1, 1, 0.20});
    FillPolygon(cr, {{10, 7.5}, {14, 11}, {10, 14.5}}, Rgba{0, 0, 0, 0.35});
    FillPolygon(cr, {{10, 6.5}, {14, 10}, {10, 13.5}}, Rgba{1, 1, 1, 0.95});
}

void DrawSendBack(cairo_t* cr, TButtonState state) {
    DrawGlassButton(cr, Rect{0, 0, 116, 24}, 3, state);
}

}  // namespace

void AddStartMenuPictures(TPictureList& list) {
    AddPanel(list);
    Add(list, "STEP", "step.png", 185, 5, DrawStep);

    Add(list, "ROWHIGHLIGHT_LEFT", "rowhighlight_left.png", 3, kRowHeight, Slice(DrawRowHighlight, 0, 0));
    Add(list, "ROWHIGHLIGHT_CENTER", "rowhighlight_center.png", 3, kRowHeight, Slice(DrawRowHighlight, 3, 0));
    Add(list, "ROWHIGHLIGHT_RIGHT", "rowhighlight_right.png", 3, kRowHeight, Slice(DrawRowHighlight, 6, 0));
    Add(list, "PROGRAM_LOGO_ALL", "program_logo_all.png", 16, 12, [](cairo_t* cr) { DrawProgramLogo(cr, false); });
    Add(list, "PROGRAM_LOGO_BACK", "program_logo_back.png", 16, 12, [](cairo_t* cr) { DrawProgramLogo(cr, true); });

    Add(list, "SEARCH_BG", "search_bg.png", kSearchBgWidth, kSearchBgHeight, DrawSearchBg);
    Add(list, "SEARCH_FRAME", "search_frame.png", 224, 24, DrawSearchFrame);
    for (const auto& s : kButtonStates) {
        const TButtonState state = s.State;
        Add(list, std::string("SEARCH_BUTTON_") + s.Resource, std::string("search_button_") + s.File + ".png", 20, 20,
            [state](cairo_t* cr) { DrawSearchButton(cr, state); });
    }
    for (const auto& s : kButtonStates) {
        const TButtonState state = s.State;
        Add(list, std::string("SEARCH_CLOSE_") + s.Resource, std::string("search_close_") + s.File + ".png", 20, 20,
            [state](cairo_t* cr) { DrawClearButton(cr, state); });
    }
    Add(list, "SEARCHRESULT_LOGO", "searchresult_logo.png", 16, 16, DrawSearchResultLogo);

    Add(list, "LINK_HIGHLIGHT", "link_highlight.png", 136, 31, DrawLinkHighlight);
    Add(list, "RIGHT_STEP", "right_step.png", 124, 2, DrawRightStep);
    for (const auto& s : kButtonStates) {
        const TButtonState state = s.State;
        Add(list, std::string("SENDBACK_") + s.Resource, std::string("sendback_") + s.File + ".png", 116, 24,
            [state](cairo_t* cr) { DrawSendBack(cr, state); });
    }
    for (const auto& s : kButtonStates) {
        const TButtonState state = s.State;
        Add(list, std::string("SHUTDOWN_") + s.Resource, std::string("shutdown_") + s.File + ".png", kPowerWidth,
            kPowerHeight, [state](cairo_t* cr) { DrawShutDown(cr, state); });
    }
    // The arrow's third picture is "menu open" rather than "pressed".
    const std::pair<TButtonState, const char*> arrowStates[] = {
        {TButtonState::Normal, "normal"}, {TButtonState::Hover, "hover"}, {TButtonState::Pressed, "open"}};
    for (const auto& [state, file] : arrowStates) {
        std::string resource = file;
        for (char& ch : resource) {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
        Add(list, "POPMENU_" + resource, std::string("popmenu_") + file + ".png", kArrowWidth, kPowerHeight,
            [state](cairo_t* cr) { DrawPopMenu(cr, state); });
    }
}

}  // namespace artwork
