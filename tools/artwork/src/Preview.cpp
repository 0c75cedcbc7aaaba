#include "Preview.h"

#include "Motifs.h"

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

namespace artwork {

namespace {

// Renders pictures on demand and keeps them for the mock-ups.
class TPictureCache {
  public:
    explicit TPictureCache(const TPictureList& list) : list_(list) {}

    const TSurface& Get(const std::string& file) {
        auto it = cache_.find(file);
        if (it != cache_.end()) {
            return *it->second;
        }
        for (const TPictureDef& p : list_) {
            if (p.File == file) {
                return *cache_.emplace(file, std::make_unique<TSurface>(Render(p))).first->second;
            }
        }
        throw std::runtime_error("preview: no picture " + file);
    }

  private:
    const TPictureList& list_;
    std::map<std::string, std::unique_ptr<TSurface>> cache_;
};

// Natural size, or stretched to w x h like a TImageNote with Stretch.
void Blit(cairo_t* cr, const TSurface& s, double x, double y, double w = -1, double h = -1) {
    TSaved saved(cr);
    cairo_translate(cr, x, y);
    if (w < 0 || h < 0) {
        w = s.Width();
        h = s.Height();
    }
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    cairo_scale(cr, w / s.Width(), h / s.Height());
    cairo_set_source_surface(cr, s.Get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
}

void Text(cairo_t* cr, double x, double y, const char* text, Rgba c, double size = 12) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_move_to(cr, x, y + fe.ascent);
    SetColor(cr, c);
    cairo_show_text(cr, text);
}

void Desktop(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    SetLinear(cr, 0, 0, w, h, {{0, Hex(0x1F6BA5)}, {0.6, Hex(0x3D8FC9)}, {1, Hex(0x8FC7E8)}});
    cairo_fill(cr);
    FillCircle(cr, w * 0.75, h * 0.3, h * 0.35, Rgba{1, 1, 1, 0.08});
    FillCircle(cr, w * 0.55, h * 0.8, h * 0.25, Rgba{0, 0, 0, 0.07});
}

void StartMenuPreview(TPictureCache& pics, const std::string& path, bool searchMode, int hovered) {
    const int screenW = 760;
    const int screenH = 768;
    const int taskbarH = 40;
    const int workH = screenH - taskbarH;
    TSurface out(screenW, screenH);
    TContext cr(out);
    Desktop(cr, screenW, screenH);

    // Taskbar and the Start button at (0, -6) inside it.
    cairo_rectangle(cr, 0, workH, screenW, taskbarH);
    SetColor(cr, Rgba{0.05, 0.12, 0.22, 0.85});
    cairo_fill(cr);
    FillPixels(cr, 0, workH, screenW, 1, Rgba{1, 1, 1, 0.2});
    {
        TSaved saved(cr);
        cairo_rectangle(cr, 0, workH, 54, taskbarH);
        cairo_clip(cr);
        Blit(cr, pics.Get("startbutton/pressed.png"), 0, workH - 6);
    }

    // Layout as the window computes it: three pins, eight frequent rows.
    const int W = 410;
    const int p = 3 * 40 + 2;
    const int f = 8 * 40 + 4;
    const int H = 95 + p + 6 + f;
    const int wx = 0;
    const int wy = workH - H;
    cairo_translate(cr, wx, wy);

    cairo_rectangle(cr, 0, 0, W, H);
    SetColor(cr, Rgba{0, 0, 0, 160.0 / 255.0});
    cairo_fill(cr);

    const int treeW = W - 163;
    // Nine-slice panel.
    const int edgeH = H - 6 - 6 - 14;
    const int centreW = searchMode ? W - 6 - 6 - 12 : W - 6 - 6 - 157;
    Blit(cr, pics.Get("startmenu/bg_menu_topleft.png"), 6, 6);
    Blit(cr, pics.Get("startmenu/bg_menu_topcenter.png"), 12, 6, centreW, 6);
    Blit(cr, pics.Get("startmenu/bg_menu_topright.png"), 12 + centreW, 6);
    Blit(cr, pics.Get("startmenu/bg_menu_centerleft.png"), 6, 12, 6, edgeH);
    Blit(cr, pics.Get("startmenu/bg_menu.png"), 12, 12, centreW, edgeH);
    Blit(cr, pics.Get("startmenu/bg_menu_centerright.png"), 12 + centreW, 12, 6, edgeH);
    Blit(cr, pics.Get("startmenu/bg_menu_bottomleft.png"), 6, 12 + edgeH);
    Blit(cr, pics.Get("startmenu/bg_menu_bottomcenter.png"), 12, 12 + edgeH, centreW, 6);
    Blit(cr, pics.Get("startmenu/bg_menu_bottomright.png"), 12 + centreW, 12 + edgeH);

    const int freqTop = 10 + p + 3;
    const int rowTop = freqTop + f + 4;
    const int frameTop = rowTop + 24 + 15;
    if (!searchMode) {
        const char* pins[] = {"Internet Browser", "Mail", "Notepad"};
        const char* freq[] = {"Paint",         "Calculator",   "Command Prompt", "Media Player",
                              "Snipping Tool", "Sticky Notes", "Remote Desktop", "WordPad"};
        for (int i = 0; i < 3; ++i) {
            if (i == 0) {
                FillRoundedRect(cr, Rect{11, 11.0 + i * 40, treeW - 4.0, 38}, 3, Hex(0xDCEBFC));
            }
            FillRoundedRect(cr, Rect{16, 14.0 + i * 40, 32, 32}, 4, Hex(0x3C7FC8));
            Text(cr, 56, 22.0 + i * 40, pins[i], Hex(0x1E1E1E));
        }
        Blit(cr, pics.Get("startmenu/step.png"), 13, 10 + p - 2, treeW - 8, 5);
        for (int i = 0; i < 8; ++i) {
            FillRoundedRect(cr, Rect{16, freqTop + 4.0 + i * 40, 32, 32}, 4, Hex(0x6FA86A));
            Text(cr, 56, freqTop + 12.0 + i * 40, freq[i], Hex(0x1E1E1E));
        }
        Blit(cr, pics.Get("startmenu/step.png"), 13, freqTop + f - 2, treeW - 8, 5);
        const int rowLeft = 12;
        Blit(cr, pics.Get("startmenu/rowhighlight_left.png"), rowLeft, rowTop, 3, 24);
        Blit(cr, pics.Get("startmenu/rowhighlight_center.png"), rowLeft + 3, rowTop, treeW - 20, 24);
        Blit(cr, pics.Get("startmenu/rowhighlight_right.png"), rowLeft + 3 + treeW - 20, rowTop, 3, 24);
        Blit(cr, pics.Get("startmenu/program_logo_all.png"), rowLeft + 5, rowTop + 6);
        Text(cr, rowLeft + 30, rowTop + 4, "All Programs", Hex(0x1E1E1E));
    } else {
        const int panelH = p + f + 24 + 6;
        Text(cr, 15, 20, "Programs (2)", Hex(0x1E3287), 11);
        FillPixels(cr, 15, 36, 370, 1, Hex(0xDCE3EC));
        Text(cr, 38, 44, "Paint", Hex(0x1E1E1E));
        Text(cr, 38, 62, "Notepad", Hex(0x1E1E1E));
        Text(cr, 15, 86, "Control Panel (1)", Hex(0x1E3287), 11);
        FillPixels(cr, 15, 102, 370, 1, Hex(0xDCE3EC));
        Text(cr, 38, 110, "Power Options", Hex(0x1E1E1E));
        const int footTop = 10 + panelH - 30;
        Blit(cr, pics.Get("startmenu/rowhighlight_left.png"), 14, footTop, 3, 24);
        Blit(cr, pics.Get("startmenu/rowhighlight_center.png"), 17, footTop, W - 18 - 6 - 10, 24);
        Blit(cr, pics.Get("startmenu/rowhighlight_right.png"), 17 + W - 18 - 6 - 10, footTop, 3, 24);
        Blit(cr, pics.Get("startmenu/searchresult_logo.png"), 20, footTop + 5);
        Text(cr, 38, footTop + 5, "See more results", Hex(0x1E1E1E));
    }
    Blit(cr, pics.Get("startmenu/search_bg.png"), 9, frameTop - 10, searchMode ? W - 18 : treeW, 41);
    Blit(cr, pics.Get("startmenu/search_frame.png"), 16, frameTop, treeW - 20, 24);
    const int buttonX = 16 + treeW - 20 - 2 - 20;
    Blit(cr, pics.Get(searchMode ? "startmenu/search_close_hover.png" : "startmenu/search_button_normal.png"), buttonX,
         frameTop + 2);
    Text(cr, 21, frameTop + 5, searchMode ? "pow" : "Search programs and files",
         searchMode ? Hex(0x000000) : Hex(0x808080));

    // Right column from the anchor (window coordinates).
    const int ax = W - 104;
    const int ay = -30;
    if (!searchMode) {
        Blit(cr, pics.Get("startmenu/sendback_normal.png"), ax - 26, ay + 65);
        Text(cr, ax - 26 + 18, ay + 68, "Send Feedback", Hex(0xFFFFFF));
        const char* links[] = {"user",
                               "Documents",
                               "Pictures",
                               "Music",
                               "Games",
                               "Computer",
                               "Control Panel",
                               "Devices and Printers",
                               "Default Programs",
                               "Help and Support"};
        int top = ay + 88;
        for (int i = 0; i < 10; ++i) {
            if (i == 4 || i == 6) {
                Blit(cr, pics.Get("startmenu/right_step.png"), 272, top);
                top += 2 + 5;
            }
            if (i == hovered) {
                Blit(cr, pics.Get("startmenu/link_highlight.png"), 266, top);
            }
            Text(cr, 271, top + 8, links[i], Hex(0xFFFFFF));
            top += 36;
        }
    }
    const int powerLeft = 271;
    Blit(cr, pics.Get(hovered == 10 ? "startmenu/shutdown_hover.png" : "startmenu/shutdown_normal.png"), powerLeft,
         frameTop);
    Blit(cr, pics.Get(hovered == 10 ? "startmenu/popmenu_hover.png" : "startmenu/popmenu_normal.png"), powerLeft + 72,
         frameTop);
    Text(cr, powerLeft + 10, frameTop + 3, "Shut down", searchMode ? Hex(0x000000) : Hex(0xFFFFFF));

    // The floating user picture.
    if (!searchMode) {
        const char* hover[] = {"userframe.png", "documents.png", "pictures.png", "music.png",           "games.png",
                               "computer.png",  "control.png",   "connect.png",  "defaultprograms.png", "help.png"};
        const std::string file = hovered >= 0 && hovered < 10 ? hover[hovered] : "userframe.png";
        try {
            Blit(cr, pics.Get(file), ax, ay);
            if (file == "userframe.png") {
                Blit(cr, pics.Get("user.png"), 13 + ax, 12 + ay, 46, 46);
            }
        } catch (const std::exception&) {
            // Resources not drawn yet.
        }
    }
    out.WritePng(path);
}

// Word-wrapped text in a rectangle, as the guide's renderer draws its labels.
void WrappedText(cairo_t* cr, const Rect& r, const std::string& text) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    SetColor(cr, Hex(0xFFFFFF));
    std::string line;
    double y = r.Y + fe.ascent;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string word = text.substr(pos, end - pos);
        const std::string candidate = line.empty() ? word : line + " " + word;
        cairo_text_extents_t te;
        cairo_text_extents(cr, candidate.c_str(), &te);
        if (te.x_advance > r.W && !line.empty()) {
            cairo_move_to(cr, r.X, y);
            cairo_show_text(cr, line.c_str());
            y += fe.height;
            line = word;
        } else {
            line = candidate;
        }
        pos = end + 1;
    }
    cairo_move_to(cr, r.X, y);
    cairo_show_text(cr, line.c_str());
}

void GuidePreview(TPictureCache& pics, const std::string& path, int page) {
    TSurface out(807 + 80, 442 + 80);
    TContext cr(out);
    Desktop(cr, 807 + 80, 442 + 80);
    cairo_translate(cr, 40, 40);
    Blit(cr, pics.Get("guide/background.png"), 0, 0);
    Blit(cr, pics.Get(page == 0 ? "guide/back_normal.png" : "guide/back_hover.png"), 25, 191);
    Blit(cr, pics.Get("guide/next_normal.png"), 753, 191);
    Blit(cr, pics.Get(page == 0 ? "guide/dot_on.png" : "guide/dot_off.png"), 367, 384);
    Blit(cr, pics.Get(page == 1 ? "guide/dot_on.png" : "guide/dot_off.png"), 401, 384);
    Blit(cr, pics.Get(page == 0 ? "guide/close_normal.png" : "guide/close_hover.png"), 750, 15);
    if (page == 0) {
        Blit(cr, pics.Get("guide/menulogo.png"), 61, 66);
        Blit(cr, pics.Get("guide/backtext1.png"), 421, 56);
        WrappedText(cr, Rect{476, 71, 206, 44}, "It will go to the traditional desktop directly.");
        WrappedText(cr, Rect{476, 163, 206, 79},
                    "It will deactivate the display of the small desktop window when moving your mouse to the left "
                    "corner of your computer. ");
        WrappedText(cr, Rect{476, 291, 206, 64},
                    "It will deactivate the display of the sidebar window when moving your mouse to the right corner "
                    "of your computer.");
    } else {
        Blit(cr, pics.Get("guide/userinterface_logo.png"), 54, 66);
        Blit(cr, pics.Get("guide/backtext2.png"), 421, 102);
        WrappedText(cr, Rect{476, 117, 206, 54},
                    "It will change the pictures displayed for Start button at the left corner of your computer. ");
        WrappedText(cr, Rect{476, 232, 206, 54},
                    "It will link you to a website to get more fantastic skins provided by other users.");
    }
    out.WritePng(path);
}

}  // namespace

bool WritePreviews(const TPictureList& list, const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    TPictureCache pics(list);
    try {
        StartMenuPreview(pics, folder + "/startmenu.png", false, -1);
        StartMenuPreview(pics, folder + "/startmenu_hover.png", false, 3);
        StartMenuPreview(pics, folder + "/startmenu_power.png", false, 10);
        StartMenuPreview(pics, folder + "/startmenu_search.png", true, -1);
        GuidePreview(pics, folder + "/guide_page0.png", 0);
        GuidePreview(pics, folder + "/guide_page1.png", 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return false;
    }
    return true;
}

}  // namespace artwork
