#pragma once
// Shapes that recur across pictures, so the Start button, the menu, the guide and the skins speak one language.

#include "Art.h"

namespace artwork {

// The product's mark: three rhombi of a tumbling-block tessellation forming a hexagon. radius is centre to corner.
struct TEmblemShades {
    double Top = 1.0;
    double Left = 0.78;
    double Right = 0.56;
};
void DrawEmblem(cairo_t* cr,
                double cx,
                double cy,
                double radius,
                Rgba color,
                TEmblemShades shades = {},
                double gap = 1.0);

enum class TButtonState { Normal, Hover, Pressed };

// The three states of a picture button with the pieces of their resource and file names.
struct TButtonStateName {
    TButtonState State;
    const char* Resource;
    const char* File;
};
inline constexpr TButtonStateName kButtonStates[] = {
    {TButtonState::Normal, "NORMAL", "normal"},
    {TButtonState::Hover, "HOVER", "hover"},
    {TButtonState::Pressed, "PRESSED", "pressed"},
};

// A Start button look: either a glass orb or a flat tile, each with colours for the three states.
struct TOrbColors {
    Rgba Core;  // body colour at the lit centre
    Rgba Rim;   // body colour at the edge
    Rgba Glow;  // hover halo; alpha 0 for none
    Rgba Mark;  // emblem colour
};
struct TStartStyle {
    bool Tile = false;
    TOrbColors Normal;
    TOrbColors Hover;
    TOrbColors Pressed;
};
// Centred on (cx, cy); radius is the orb's (a tile is as wide as the orb).
void DrawStartButton(cairo_t* cr, const TStartStyle& style, TButtonState state, double cx, double cy, double radius);

// The button for the Windows high-contrast themes: a disc in two colours, ink on paper, with no shading at all.
// Hover doubles the ring, pressed fills the disc with ink; a rim of paper keeps the edge on a taskbar of either
// colour. radius is the rim's outer edge.
void DrawOutlinedButton(cairo_t* cr, TButtonState state, double cx, double cy, double radius, Rgba ink, Rgba paper);

// One of the four skins the guide shows side by side (0 Classic, 1 Metro, 2 Graphite, 3 Ember).
void DrawSkinSample(cairo_t* cr, int index, TButtonState state, double cx, double cy, double radius);

// Stroked digits 0-9 for badges and dials (fonts differ between machines; these do not).
void DrawDigit(cairo_t* cr, int digit, double cx, double cy, double height, double width, Rgba color);

// A numbered badge as the guide uses to tie a text to its illustration.
void DrawBadge(cairo_t* cr, double cx, double cy, double radius, int digit);

// The glossy translucent button of the right column (power, feedback): readable on the dark glass with white text
// and on the white search panel with black text.
void DrawGlassButton(cairo_t* cr, const Rect& r, double radius, TButtonState state);

// Check mark inside a box of the given size.
void DrawCheck(cairo_t* cr, const Rect& box, double width, Rgba color);

// Magnifier whose lens is centred at (cx, cy).
void DrawMagnifier(cairo_t* cr, double cx, double cy, double lensRadius, double width, Rgba color);

}  // namespace artwork
