// Properties the windows rely on, checked on the rendered pixels.

#include "Output.h"
#include "Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace artwork {
namespace {

const TPictureList& List() {
    static const TPictureList list = AllPictures();
    return list;
}

const TPictureDef& Find(TFolder folder, const std::string& file) {
    for (const TPictureDef& p : List()) {
        if (p.Folder == folder && p.File == file) {
            return p;
        }
    }
    ADD_FAILURE() << "no picture " << file;
    static const TPictureDef none{};
    return none;
}

const TSurface& Rendered(TFolder folder, const std::string& file) {
    static std::map<std::string, std::unique_ptr<TSurface>> cache;
    const std::string key = FolderPath(folder) + file;
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.emplace(key, std::make_unique<TSurface>(Render(Find(folder, file)))).first;
    }
    return *it->second;
}

const TSurface& Menu(const std::string& file) {
    return Rendered(TFolder::Embedded, "startmenu/" + file);
}

unsigned Alpha(uint32_t pixel) {
    return pixel >> 24;
}

bool SamePixels(const TSurface& a, const TSurface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

TEST(ArtworkPictures, EveryPictureFillsItsDeclaredSizeAndShowsSomething) {
    for (const TPictureDef& p : List()) {
        const TSurface s = Render(p);
        ASSERT_TRUE(s.Ok()) << p.File;
        EXPECT_EQ(s.Width(), p.Width) << p.File;
        EXPECT_EQ(s.Height(), p.Height) << p.File;
        bool visible = false;
        for (int y = 0; y < s.Height() && !visible; ++y) {
            for (int x = 0; x < s.Width() && !visible; ++x) {
                visible = Alpha(s.Pixel(x, y)) > 0;
            }
        }
        EXPECT_TRUE(visible) << p.File << " is blank";
    }
}

// The window stretches these along one axis; anything that varies along it would be smeared.
TEST(ArtworkPictures, StretchedSlicesAreUniformAlongTheirStretch) {
    struct Case {
        const char* file;
        bool acrossX;  // stretched horizontally: every column must be the same
        bool acrossY;  // stretched vertically: every row must be the same
    };
    const Case cases[] = {
        {"bg_menu_topcenter.png", true, false},
        {"bg_menu_bottomcenter.png", true, false},
        {"bg_menu_centerleft.png", false, true},
        {"bg_menu_centerright.png", false, true},
        {"bg_menu.png", true, true},
        {"rowhighlight_center.png", true, false},
        {"search_bg.png", true, false},
    };
    for (const Case& c : cases) {
        const TSurface& s = Menu(c.file);
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                if (c.acrossX) {
                    ASSERT_EQ(s.Pixel(x, y), s.Pixel(0, y)) << c.file << " at " << x << "," << y;
                }
                if (c.acrossY) {
                    ASSERT_EQ(s.Pixel(x, y), s.Pixel(x, 0)) << c.file << " at " << x << "," << y;
                }
            }
        }
    }
}

// The trees and the search edit are drawn by the system on white; the dark glass must not show through.
TEST(ArtworkPictures, LeftPanelIsOpaqueWhiteInsideAndRoundedOutside) {
    EXPECT_EQ(Menu("bg_menu.png").Pixel(20, 10), 0xFFFFFFFFu);
    EXPECT_EQ(Menu("bg_menu_centerleft.png").Pixel(5, 10), 0xFFFFFFFFu);
    EXPECT_EQ(Menu("bg_menu_bottomcenter.png").Pixel(10, 0), 0xFFFFFFFFu);
    for (const char* corner :
         {"bg_menu_topleft.png", "bg_menu_topright.png", "bg_menu_bottomleft.png", "bg_menu_bottomright.png"}) {
        const TSurface& s = Menu(corner);
        const int x = std::string(corner).find("left") != std::string::npos ? 0 : 5;
        const int y = std::string(corner).find("top") != std::string::npos ? 0 : 5;
        EXPECT_LT(Alpha(s.Pixel(x, y)), 0x40u) << corner << " has a square outer corner";
    }
    const TSurface& frame = Menu("search_frame.png");
    EXPECT_EQ(frame.Pixel(5, 5), 0xFFFFFFFFu);  // where the edit sits
}

TEST(ArtworkPictures, ButtonStatesDifferFromEachOther) {
    const std::vector<std::vector<std::string>> groups = {
        {"startbutton/normal.png", "startbutton/hover.png", "startbutton/pressed.png"},
        {"startmenu/search_button_normal.png", "startmenu/search_button_hover.png",
         "startmenu/search_button_pressed.png"},
        {"startmenu/search_close_normal.png", "startmenu/search_close_hover.png", "startmenu/search_close_pressed.png"},
        {"startmenu/sendback_normal.png", "startmenu/sendback_hover.png", "startmenu/sendback_pressed.png"},
        {"startmenu/shutdown_normal.png", "startmenu/shutdown_hover.png", "startmenu/shutdown_pressed.png"},
        {"startmenu/popmenu_normal.png", "startmenu/popmenu_hover.png", "startmenu/popmenu_open.png"},
        {"startmenu/program_logo_all.png", "startmenu/program_logo_back.png"},
        {"guide/back_normal.png", "guide/back_hover.png", "guide/back_pressed.png"},
        {"guide/next_normal.png", "guide/next_hover.png", "guide/next_pressed.png"},
        {"guide/close_normal.png", "guide/close_hover.png", "guide/close_pressed.png"},
        {"guide/dot_off.png", "guide/dot_on.png"},
        {"guide/back_normal.png", "guide/next_normal.png"},
    };
    for (const auto& group : groups) {
        for (size_t i = 0; i < group.size(); ++i) {
            for (size_t j = i + 1; j < group.size(); ++j) {
                EXPECT_FALSE(SamePixels(Rendered(TFolder::Embedded, group[i]), Rendered(TFolder::Embedded, group[j])))
                    << group[i] << " looks like " << group[j];
            }
        }
    }
    // The skins are held to a visible difference, not just any, in SkinsTest.
}

// The button sits at (0, -6) in a 40-px taskbar: only rows 6..45 show, so the solid part must stay inside them.
TEST(ArtworkPictures, StartButtonBodyFitsTheTaskbarBand) {
    for (const TPictureDef& p : List()) {
        if (p.Folder != TFolder::Skins && p.File.rfind("startbutton/", 0) != 0) {
            continue;
        }
        const TSurface s = Render(p);
        int top = s.Height();
        int bottom = -1;
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                if (Alpha(s.Pixel(x, y)) >= 0xF0) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        EXPECT_GE(top, 6) << p.File;
        EXPECT_LE(bottom, 45) << p.File;
        EXPECT_GT(bottom - top, 30) << p.File << " is too small to be the button";
    }
}

// Moving from the user name to a link swaps the picture in place: only the opening may change.
TEST(ArtworkPictures, LinkPicturesShareTheUserFrame) {
    const TSurface& frame = Rendered(TFolder::Resources, "userframe.png");
    ASSERT_EQ(frame.Width(), 64);
    ASSERT_EQ(frame.Height(), 64);
    EXPECT_EQ(Alpha(frame.Pixel(36, 35)), 0u) << "the account picture shows through the opening";
    for (const char* link : {"documents.png", "pictures.png", "music.png", "games.png", "computer.png", "control.png",
                             "connect.png", "defaultprograms.png", "help.png"}) {
        const TSurface& s = Rendered(TFolder::Resources, link);
        ASSERT_EQ(s.Width(), 64) << link;
        ASSERT_EQ(s.Height(), 64) << link;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const bool opening = x >= 13 && x < 59 && y >= 12 && y < 58;
                if (!opening) {
                    ASSERT_EQ(s.Pixel(x, y), frame.Pixel(x, y)) << link << " at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(Alpha(s.Pixel(36, 35)), 0xFFu) << link << " leaves its opening empty";
    }
}

TEST(ArtworkPictures, FortyEightDistinctControlPanelIconsInRowOrder) {
    std::vector<const TPictureDef*> icons;
    for (const TPictureDef& p : List()) {
        if (p.File.rfind("controlpanel/", 0) == 0) {
            icons.push_back(&p);
        }
    }
    ASSERT_EQ(icons.size(), 48u);
    std::vector<TSurface> rendered;
    for (size_t i = 0; i < icons.size(); ++i) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d", static_cast<int>(i));
        const std::string number = digits;
        EXPECT_EQ(icons[i]->Resource, std::string("CONTROLPANEL_") + number);
        EXPECT_EQ(icons[i]->File.substr(13, 3), number + "_");
        EXPECT_EQ(icons[i]->Width, 16);
        EXPECT_EQ(icons[i]->Height, 16);
        rendered.push_back(Render(*icons[i]));
    }
    for (size_t i = 0; i < rendered.size(); ++i) {
        for (size_t j = i + 1; j < rendered.size(); ++j) {
            EXPECT_FALSE(SamePixels(rendered[i], rendered[j])) << icons[i]->File << " = " << icons[j]->File;
        }
    }
}

// The guide is a layered window: its shape is the background's alpha.
TEST(ArtworkPictures, GuideBackgroundHasRoundedTranslucentEdgesAndOpaqueFace) {
    const TSurface& s = Rendered(TFolder::Embedded, "guide/background.png");
    EXPECT_EQ(Alpha(s.Pixel(0, 0)), 0u);
    EXPECT_EQ(Alpha(s.Pixel(806, 441)), 0u);
    EXPECT_EQ(Alpha(s.Pixel(403, 221)), 0xFFu);
    EXPECT_EQ(Alpha(s.Pixel(30, 400)), 0xFFu);
}

// WCAG relative luminance of a pixel laid over an opaque background colour (0xRRGGBB).
double LuminanceOver(uint32_t premultiplied, uint32_t background) {
    const double a = Alpha(premultiplied) / 255.0;
    double l = 0;
    const double weights[] = {0.0722, 0.7152, 0.2126};  // blue, green, red by byte from the bottom
    for (int i = 0; i < 3; ++i) {
        const double over =
            ((premultiplied >> (8 * i)) & 0xFF) / 255.0 + ((background >> (8 * i)) & 0xFF) / 255.0 * (1 - a);
        const double linear = over <= 0.03928 ? over / 12.92 : std::pow((over + 0.055) / 1.055, 2.4);
        l += weights[i] * linear;
    }
    return l;
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The window paints black at alpha 160 over the glass; over a mid-blue desktop that gives this colour.
constexpr uint32_t kDarkGlass = 0x0F2338;
constexpr double kWhite = 1.0;
constexpr double kBlack = 0.0;

// The labels are drawn over these pictures by the program: white on the dark glass, and the power caption black
// while the white search panel spans the window.
TEST(ArtworkPictures, CaptionsStayReadableOverTheirPictures) {
    struct Case {
        const char* file;
        int x;
        int y;
        uint32_t ground;
        double text;
        double least;
    };
    const Case cases[] = {
        {"startmenu/shutdown_normal.png", 36, 10, kDarkGlass, kWhite, 4.5},
        {"startmenu/shutdown_normal.png", 36, 10, 0xFFFFFF, kBlack, 4.5},
        {"startmenu/shutdown_hover.png", 36, 10, kDarkGlass, kWhite, 3.0},
        {"startmenu/shutdown_hover.png", 36, 10, 0xFFFFFF, kBlack, 4.5},
        {"startmenu/shutdown_pressed.png", 36, 10, kDarkGlass, kWhite, 4.5},
        {"startmenu/sendback_normal.png", 58, 12, kDarkGlass, kWhite, 4.5},
        {"startmenu/sendback_hover.png", 58, 12, kDarkGlass, kWhite, 3.0},
        {"startmenu/link_highlight.png", 68, 15, kDarkGlass, kWhite, 4.5},
        {"startmenu/rowhighlight_center.png", 1, 12, 0xFFFFFF, kBlack, 7.0},
    };
    for (const Case& c : cases) {
        const double ground = LuminanceOver(Rendered(TFolder::Embedded, c.file).Pixel(c.x, c.y), c.ground);
        EXPECT_GE(Contrast(ground, c.text), c.least) << c.file << " over " << std::hex << c.ground;
    }
    // The guide's white texts over their panels.
    const TSurface& background = Rendered(TFolder::Embedded, "guide/background.png");
    const TSurface& panel = Rendered(TFolder::Embedded, "guide/backtext1.png");
    const uint32_t under = background.Pixel(421 + 150, 56 + 150) & 0xFFFFFF;
    EXPECT_GE(Contrast(LuminanceOver(panel.Pixel(150, 150), under), kWhite), 7.0);
}

// Badges and hairlines of a text panel must stay out of the rectangles the guide draws its texts in.
TEST(ArtworkPictures, GuideTextRectanglesAreClearOfDecoration) {
    struct Label {
        const char* panel;
        int panelLeft;
        int panelTop;
        int left;
        int top;
        int width;
        int height;
    };
    const Label labels[] = {
        {"guide/backtext1.png", 421, 56, 476, 71, 206, 44},   {"guide/backtext1.png", 421, 56, 476, 163, 206, 79},
        {"guide/backtext1.png", 421, 56, 476, 291, 206, 64},  {"guide/backtext2.png", 421, 102, 476, 117, 206, 54},
        {"guide/backtext2.png", 421, 102, 476, 232, 206, 54},
    };
    for (const Label& l : labels) {
        const TSurface& s = Rendered(TFolder::Embedded, l.panel);
        for (int y = l.top - l.panelTop; y < l.top - l.panelTop + l.height; ++y) {
            const uint32_t plain = s.Pixel(l.left - l.panelLeft, y);
            for (int x = l.left - l.panelLeft; x < l.left - l.panelLeft + l.width; ++x) {
                ASSERT_EQ(s.Pixel(x, y), plain) << l.panel << " at " << x << "," << y;
            }
        }
    }
    // The text panels are drawn over the illustrations' right ends (the panel starts at x 421).
    struct Illustration {
        const char* file;
        int left;
    };
    for (const Illustration& i :
         {Illustration{"guide/menulogo.png", 61}, Illustration{"guide/userinterface_logo.png", 54}}) {
        const TSurface& s = Rendered(TFolder::Embedded, i.file);
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 421 - i.left - 4; x < s.Width(); ++x) {
                ASSERT_EQ(Alpha(s.Pixel(x, y)), 0u) << i.file << " reaches under the text panel at " << x << "," << y;
            }
        }
    }
}

struct TTempRoot {
    fs::path Path;
    TTempRoot() {
        char pattern[] = "/tmp/artwork_test_XXXXXX";
        Path = mkdtemp(pattern);
    }
    ~TTempRoot() {
        std::error_code ec;
        fs::remove_all(Path, ec);
    }
};

TEST(ArtworkOutput, WritesEveryPictureAndAManifestThatMatchesTheFiles) {
    TTempRoot root;
    fs::create_directories(root.Path / "res" / "old");
    std::ofstream(root.Path / "res" / "old" / "gone.png") << "stale";
    std::ofstream(root.Path / "res" / "notes.txt") << "kept";
    fs::create_directories(root.Path / "data" / "StartButtonSkin");
    std::ofstream(root.Path / "data" / "StartButtonSkin" / "Mine_normal.png") << "a user's skin";

    const TWriteResult result = WriteAll(root.Path, List());
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Written, static_cast<int>(List().size()));
    EXPECT_EQ(result.Removed, 1);
    EXPECT_FALSE(fs::exists(root.Path / "res" / "old" / "gone.png"));
    EXPECT_TRUE(fs::exists(root.Path / "res" / "notes.txt"));
    EXPECT_TRUE(fs::exists(root.Path / "data" / "StartButtonSkin" / "Mine_normal.png"));

    std::ifstream manifest(root.Path / "res" / "pictures.txt");
    int entries = 0;
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string name, file, size;
        fields >> name >> file >> size;
        const TSurface png = TSurface::ReadPng((root.Path / "res" / file).string());
        ASSERT_TRUE(png.Ok()) << file;
        EXPECT_EQ(std::to_string(png.Width()) + "x" + std::to_string(png.Height()), size) << file;
        ++entries;
    }
    int embedded = 0;
    for (const TPictureDef& p : List()) {
        embedded += p.Folder == TFolder::Embedded ? 1 : 0;
        EXPECT_TRUE(fs::exists(root.Path / FolderPath(p.Folder) / p.File)) << p.File;
    }
    EXPECT_EQ(entries, embedded);
}

// The PNG holds straight alpha; reading it back must give the premultiplied pixels that were drawn.
TEST(ArtworkOutput, TranslucentPixelsSurviveThePngRoundTrip) {
    TTempRoot root;
    const TPictureDef& p = Find(TFolder::Embedded, "startmenu/link_highlight.png");
    const TSurface drawn = Render(p);
    const std::string path = (root.Path / "highlight.png").string();
    ASSERT_TRUE(drawn.WritePng(path));
    const TSurface read = TSurface::ReadPng(path);
    ASSERT_TRUE(read.Ok());
    for (int y = 0; y < drawn.Height(); ++y) {
        for (int x = 0; x < drawn.Width(); ++x) {
            const uint32_t a = drawn.Pixel(x, y);
            const uint32_t b = read.Pixel(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                const int ca = static_cast<int>((a >> shift) & 0xFF);
                const int cb = static_cast<int>((b >> shift) & 0xFF);
                ASSERT_LE(std::abs(ca - cb), 1) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace artwork
