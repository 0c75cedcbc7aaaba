// The Start button: its three built-in pictures and the skins shipped in StartButtonSkin\.
//
// The 54 x 54 button sits at (0, -6) in the taskbar, so on a 40-px taskbar rows 6..45 show; the orb is centred
// on row 26 to sit in the middle of that band.

#include "Motifs.h"
#include "Pictures.h"

namespace artwork {

namespace {

constexpr int kSize = 54;
constexpr double kCentreX = 27;
constexpr double kCentreY = 26;
constexpr double kOrbRadius = 18;

const Rgba kWhite{1, 1, 1, 1};
const Rgba kNoGlow{0, 0, 0, 0};

TStartStyle ClassicStyle() {
    return {false,
            {Hex(0x4BA8F5), Hex(0x0B3A86), kNoGlow, kWhite},
            {Hex(0x74C6FF), Hex(0x1652B0), Hex(0x7FD0FF, 0.55), kWhite},
            {Hex(0x2C7ACD), Hex(0x072659), kNoGlow, Rgba{0.88, 0.94, 1, 1}}};
}

TStartStyle GraphiteStyle() {
    return {false,
            {Hex(0x7A8494), Hex(0x15181E), kNoGlow, kWhite},
            {Hex(0x9AA6B8), Hex(0x252B35), Hex(0xDDE6F5, 0.45), kWhite},
            {Hex(0x4E5664), Hex(0x0B0D11), kNoGlow, Hex(0xBFD8F5)}};
}

TStartStyle EmberStyle() {
    return {false,
            {Hex(0xFFB347), Hex(0x9A2A06), kNoGlow, kWhite},
            {Hex(0xFFCB70), Hex(0xB8400E), Hex(0xFFC060, 0.55), kWhite},
            {Hex(0xE08A2C), Hex(0x6E1C03), kNoGlow, Hex(0xFFF1DC)}};
}

TStartStyle MetroStyle() {
    return {true,
            {Hex(0x1BA1E2), Hex(0x0F7DB5), kNoGlow, kWhite},
            {Hex(0x3DB6F0), Hex(0x1A8CC6), Hex(0x8AD8FF, 0.45), kWhite},
            {Hex(0x0F7AB3), Hex(0x095A86), kNoGlow, Hex(0xDDF3FF)}};
}

TStartStyle JadeStyle() {
    return {false,
            {Hex(0x4FD39A), Hex(0x07573A), kNoGlow, kWhite},
            {Hex(0x7DE8B8), Hex(0x0C714B), Hex(0x8DF5C8, 0.55), kWhite},
            {Hex(0x2FA878), Hex(0x033B26), kNoGlow, Hex(0xDDFBEC)}};
}

std::function<void(cairo_t*)> Button(TStartStyle style, TButtonState state) {
    return [style, state](cairo_t* cr) {
        DrawStartButton(cr, style, state, kCentreX, kCentreY, style.Tile ? kOrbRadius - 1 : kOrbRadius);
    };
}

// White on black for the high-contrast themes. Its black rim makes it a pixel wider than an orb, still inside the
// rows the taskbar shows.
std::function<void(cairo_t*)> ContrastButton(TButtonState state) {
    return [state](cairo_t* cr) {
        DrawOutlinedButton(cr, state, kCentreX, kCentreY, kOrbRadius + 1, kWhite, Rgba{0, 0, 0, 1});
    };
}

void AddSkin(TPictureList& list,
             const std::string& name,
             const std::function<std::function<void(cairo_t*)>(TButtonState)>& button) {
    list.push_back({TFolder::Skins, "", name + "_normal.png", kSize, kSize, button(TButtonState::Normal)});
    list.push_back({TFolder::Skins, "", name + "_hover.png", kSize, kSize, button(TButtonState::Hover)});
    list.push_back({TFolder::Skins, "", name + "_click.png", kSize, kSize, button(TButtonState::Pressed)});
}

void AddSkin(TPictureList& list, const std::string& name, const TStartStyle& style) {
    AddSkin(list, name, [&style](TButtonState state) { return Button(style, state); });
}

}  // namespace

void AddStartButtonPictures(TPictureList& list) {
    // Built-in pictures (ImageNote_Default items 0, 1, 2): the Classic look, so a missing skin folder changes nothing.
    list.push_back({TFolder::Embedded, "STARTBUTTON_NORMAL", "startbutton/normal.png", kSize, kSize,
                    Button(ClassicStyle(), TButtonState::Normal)});
    list.push_back({TFolder::Embedded, "STARTBUTTON_HOVER", "startbutton/hover.png", kSize, kSize,
                    Button(ClassicStyle(), TButtonState::Hover)});
    list.push_back({TFolder::Embedded, "STARTBUTTON_PRESSED", "startbutton/pressed.png", kSize, kSize,
                    Button(ClassicStyle(), TButtonState::Pressed)});

    AddSkin(list, "Classic", ClassicStyle());
    AddSkin(list, "Graphite", GraphiteStyle());
    AddSkin(list, "Ember", EmberStyle());
    AddSkin(list, "Metro", MetroStyle());
    AddSkin(list, "Jade", JadeStyle());
    AddSkin(list, "Contrast", ContrastButton);
}

// The guide shows the skins side by side; it draws them with the same styles.
void DrawSkinSample(cairo_t* cr, int index, TButtonState state, double cx, double cy, double radius) {
    const TStartStyle styles[] = {ClassicStyle(), MetroStyle(), GraphiteStyle(), EmberStyle()};
    const TStartStyle& style = styles[index % 4];
    DrawStartButton(cr, style, state, cx, cy, style.Tile ? radius - 1 : radius);
}

}  // namespace artwork
