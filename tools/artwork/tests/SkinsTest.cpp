// The Start-button skins as the button and the settings dialog take them: three pictures a skin, each state told
// apart at a glance, and the high-contrast skin in its two colours.

#include "Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace artwork {
namespace {

constexpr int kButtonSize = 54;  // the button's window; a skin of another size would be stretched into it

// A skin's pictures in the order normal, hover, click.
using TSkinStates = std::array<const TPictureDef*, 3>;

std::map<std::string, TSkinStates> Skins() {
    static const TPictureList list = AllPictures();
    const std::map<std::string, size_t> slots = {{"normal.png", 0}, {"hover.png", 1}, {"click.png", 2}};
    std::map<std::string, TSkinStates> skins;
    for (const TPictureDef& p : list) {
        if (p.Folder != TFolder::Skins) {
            continue;
        }
        const size_t underscore = p.File.find('_');
        const auto slot = slots.find(p.File.substr(underscore + 1));
        if (underscore != std::string::npos && slot != slots.end()) {
            skins[p.File.substr(0, underscore)][slot->second] = &p;
        }
    }
    return skins;
}

unsigned Channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

// Pixels that a person would see change: over a black taskbar (the premultiplied colour) or a white one (alpha).
int VisiblyDifferentPixels(const TSurface& a, const TSurface& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            int largest = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                largest = std::max(largest, std::abs(static_cast<int>(Channel(a.Pixel(x, y), shift)) -
                                                     static_cast<int>(Channel(b.Pixel(x, y), shift))));
            }
            count += largest >= 0x20 ? 1 : 0;
        }
    }
    return count;
}

// The settings dialog lists every complete skin the folder holds: a skin renamed or dropped from the generator
// would go on shipping under its old name unless its files went too. (CheckList holds each skin to its three states.)
TEST(ArtworkSkins, SkinFolderHoldsExactlyTheDrawnSkinsAtButtonSize) {
    const fs::path folder = fs::path(ARTWORK_REPOSITORY_ROOT) / FolderPath(TFolder::Skins);
    const auto skins = Skins();
    EXPECT_EQ(skins.count("Classic"), 1u) << "the name the button falls back to";
    std::set<std::string> drawn;
    for (const auto& [name, states] : skins) {
        for (const TPictureDef* state : states) {
            ASSERT_NE(state, nullptr) << name;
            drawn.insert(state->File);
        }
    }
    std::set<std::string> shipped;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        shipped.insert(entry.path().filename().string());
    }
    ASSERT_FALSE(ec) << folder << ": " << ec.message();
    EXPECT_EQ(shipped, drawn);
    for (const std::string& file : shipped) {
        const TSurface png = TSurface::ReadPng((folder / file).string());
        ASSERT_TRUE(png.Ok()) << file << " is not a PNG picture";
        EXPECT_EQ(png.Width(), kButtonSize) << file;
        EXPECT_EQ(png.Height(), kButtonSize) << file;
    }
}

// A state that differs by a few antialiased pixels would leave the button looking dead under the mouse.
TEST(ArtworkSkins, EachStateDiffersVisiblyFromTheOthers) {
    const char* const names[] = {"normal", "hover", "click"};
    for (const auto& [name, states] : Skins()) {
        ASSERT_TRUE(states[0] && states[1] && states[2]) << name;
        const TSurface rendered[] = {Render(*states[0]), Render(*states[1]), Render(*states[2])};
        for (int i = 0; i < 3; ++i) {
            for (int j = i + 1; j < 3; ++j) {
                const int changed = VisiblyDifferentPixels(rendered[i], rendered[j]);
                EXPECT_GE(changed, kButtonSize * kButtonSize / 20)
                    << name << ": " << names[i] << " and " << names[j] << " look alike";
            }
        }
    }
}

enum class TTone { Clear, Black, White, Between };

// The tone of a pixel by its colour, whatever its alpha: the rim's antialiased outer edge is still black.
TTone ToneAt(const TSurface& s, int x, int y) {
    const uint32_t p = s.Pixel(x, y);
    const unsigned alpha = Channel(p, 24);
    if (alpha == 0) {
        return TTone::Clear;
    }
    const unsigned grey = Channel(p, 8) * 0xFF / alpha;
    return grey <= 0x30 ? TTone::Black : grey >= 0xCF ? TTone::White : TTone::Between;
}

bool IsGrey(uint32_t premultiplied) {
    const int r = static_cast<int>(Channel(premultiplied, 16));
    const int g = static_cast<int>(Channel(premultiplied, 8));
    const int b = static_cast<int>(Channel(premultiplied, 0));
    return std::abs(r - g) <= 1 && std::abs(g - b) <= 1;
}

// The high-contrast themes promise two colours; anything between them may only be the antialiased edge where the
// two meet, never a shade of its own (a glow, a gradient, a dimmed face).
TEST(ArtworkSkins, ContrastIsWhiteOnBlackWithGreyOnlyWhereTheyMeet) {
    const auto skins = Skins();
    ASSERT_EQ(skins.count("Contrast"), 1u);
    for (const TPictureDef* state : skins.at("Contrast")) {
        ASSERT_NE(state, nullptr);
        const TSurface s = Render(*state);
        std::map<TTone, int> counts;
        int stray = 0;
        std::string firstStray;
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                ASSERT_TRUE(IsGrey(s.Pixel(x, y))) << state->File << " has colour at " << x << "," << y;
                const TTone tone = ToneAt(s, x, y);
                ++counts[tone];
                if (tone != TTone::Between) {
                    continue;
                }
                std::set<TTone> around;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        around.insert(
                            ToneAt(s, std::clamp(x + dx, 0, s.Width() - 1), std::clamp(y + dy, 0, s.Height() - 1)));
                    }
                }
                if ((around.count(TTone::Black) == 0 || around.count(TTone::White) == 0) && stray++ == 0) {
                    firstStray = std::to_string(x) + "," + std::to_string(y);
                }
            }
        }
        EXPECT_EQ(stray, 0) << state->File << " has shades of grey away from any edge, first at " << firstStray;
        const int body = counts[TTone::Black] + counts[TTone::White] + counts[TTone::Between];
        EXPECT_GE(counts[TTone::White], body / 6) << state->File << " has too little white to read";
        EXPECT_GE(counts[TTone::Black], body / 6) << state->File << " has too little black to read";
    }
}

// Pressed means the menu is open; a high-contrast user must see it without comparing fine lines.
TEST(ArtworkSkins, ContrastPressedTurnsMuchOfTheButtonOver) {
    const auto skins = Skins();
    ASSERT_EQ(skins.count("Contrast"), 1u);
    const TSkinStates& states = skins.at("Contrast");
    ASSERT_TRUE(states[0] && states[1] && states[2]);
    const TSurface pressed = Render(*states[2]);
    for (const TPictureDef* other : {states[0], states[1]}) {
        const TSurface s = Render(*other);
        int body = 0;
        int turned = 0;
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                const TTone a = ToneAt(s, x, y);
                const TTone b = ToneAt(pressed, x, y);
                body += a != TTone::Clear ? 1 : 0;
                turned += (a == TTone::Black && b == TTone::White) || (a == TTone::White && b == TTone::Black) ? 1 : 0;
            }
        }
        EXPECT_GE(turned, body / 3) << other->File;
    }
}

}  // namespace
}  // namespace artwork
