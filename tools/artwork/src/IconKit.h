#pragma once
// Parts that the control-panel icons (16 x 16) and the link pictures (46 x 46 inside the frame) are built from.
// Each takes the box it fills and an outline width, so one drawing serves both sizes; at 16 px the boxes are
// given on whole pixels and the outline is 1.

#include "Art.h"

namespace artwork {

// A colour ramp for a lit object: light at the top, base below, outline darker still.
struct TTone {
    Rgba Light;
    Rgba Base;
    Rgba Line;
};
TTone Tone(uint32_t light, uint32_t base, uint32_t line);

namespace tones {
TTone Blue();
TTone Green();
TTone Orange();
TTone Red();
TTone Yellow();
TTone Grey();
TTone Dark();
TTone Paper();
TTone Purple();
TTone Teal();
}  // namespace tones

// Box with outline (drawn inside the box) and a top-lit fill.
void Block(cairo_t* cr, const Rect& r, double radius, const TTone& tone, double line);
// Disc with outline and a top-lit fill.
void Disc(cairo_t* cr, double cx, double cy, double radius, const TTone& tone, double line);
// Any closed path already set on the context: fill top-lit over bounds [top, bottom], then outline.
void ShadePath(cairo_t* cr, double top, double bottom, const TTone& tone, double line);

void Monitor(cairo_t* cr, const Rect& r, const TTone& screen, double line);
void Document(cairo_t* cr, const Rect& r, double line, bool textLines = true);
void Folder(cairo_t* cr, const Rect& r, double line);
void Globe(cairo_t* cr, double cx, double cy, double radius, double line);
void Gear(cairo_t* cr, double cx, double cy, double radius, int teeth, const TTone& tone, double line);
void Clock(cairo_t* cr, double cx, double cy, double radius, double line, double hour = 10, double minute = 10);
void Person(cairo_t* cr, double cx, double top, double height, const TTone& tone, double line);
void Printer(cairo_t* cr, const Rect& r, double line);
void Padlock(cairo_t* cr, const Rect& r, double line);
void Shield(cairo_t* cr, const Rect& r, const TTone& tone, double line);
void Speaker(cairo_t* cr, const Rect& r, double line, int waves);
void MusicNote(cairo_t* cr, const Rect& r, const TTone& tone, double line);
void QuestionMark(cairo_t* cr, double cx, double cy, double height, double width, Rgba color);
// Small round badge with a white check, as used for "default" and "done".
void CheckBadge(cairo_t* cr, double cx, double cy, double radius, double line);
// Circular arrow: an arc from a0 to a1 (radians, clockwise) with a head at a1.
void ArcArrow(cairo_t* cr, double cx, double cy, double radius, double a0, double a1, double width, Rgba color);
void Arrow(cairo_t* cr, Point from, Point to, double width, double head, Rgba color);

}  // namespace artwork
