#pragma once
// Small drawing vocabulary over cairo shared by every picture: colours, gradients, rounded shapes, a surface that
// owns its cairo handles. Coordinates are cairo's: pixel edges on integers, so a crisp 1-px line sits on x.5.

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace artwork {

struct Rgba {
    double R = 0;
    double G = 0;
    double B = 0;
    double A = 1;
};

// 0xRRGGBB as a designer writes it (not the product's 0xBBGGRR colour values).
Rgba Hex(uint32_t rgb, double alpha = 1.0);
Rgba Mix(Rgba a, Rgba b, double t);
Rgba WithAlpha(Rgba c, double alpha);

struct Stop {
    double Offset;
    Rgba Color;
};

struct Rect {
    double X = 0;
    double Y = 0;
    double W = 0;
    double H = 0;

    Rect Inset(double d) const { return {X + d, Y + d, W - 2 * d, H - 2 * d}; }
    Rect Moved(double dx, double dy) const { return {X + dx, Y + dy, W, H}; }
    double Right() const { return X + W; }
    double Bottom() const { return Y + H; }
    double CenterX() const { return X + W / 2; }
    double CenterY() const { return Y + H / 2; }
};

struct Point {
    double X;
    double Y;
};

void SetColor(cairo_t* cr, Rgba c);
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops);
void SetRadial(cairo_t* cr, double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops);
// Vertical gradient over a rectangle, the most common fill.
void SetVertical(cairo_t* cr, const Rect& r, std::initializer_list<Stop> stops);

void RoundedRect(cairo_t* cr, const Rect& r, double radius);
void Circle(cairo_t* cr, double cx, double cy, double radius);
void Polygon(cairo_t* cr, std::initializer_list<Point> points);

void FillRoundedRect(cairo_t* cr, const Rect& r, double radius, Rgba c);
// A 1-px (or wider) outline inside the rectangle's pixel edge, so it never spills over the given bounds.
void StrokeRoundedRect(cairo_t* cr, const Rect& r, double radius, double width, Rgba c);
void FillCircle(cairo_t* cr, double cx, double cy, double radius, Rgba c);
void StrokeLine(cairo_t* cr, Point a, Point b, double width, Rgba c, cairo_line_cap_t cap = CAIRO_LINE_CAP_ROUND);
void FillPolygon(cairo_t* cr, std::initializer_list<Point> points, Rgba c);
// Pixel-exact axis-aligned rectangle fill (integers in, no anti-aliasing at the edges).
void FillPixels(cairo_t* cr, int x, int y, int w, int h, Rgba c);

// A shadow around a rounded rectangle drawn as rings of falling alpha; cairo has no blur, and a ring per pixel of
// distance gives the same smooth fall-off for shapes this simple.
void SoftShadow(cairo_t* cr, const Rect& r, double radius, int spread, double alpha, double dy = 0);

// Owns an ARGB32 surface; pixels are premultiplied as cairo keeps them, the PNG writer takes them back out.
class TSurface {
  public:
    TSurface(int width, int height);
    explicit TSurface(cairo_surface_t* adopted);
    TSurface(TSurface&& other) noexcept : surface_(std::exchange(other.surface_, nullptr)) {}
    TSurface& operator=(TSurface&&) = delete;
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;
    ~TSurface();

    cairo_surface_t* Get() const { return surface_; }
    int Width() const;
    int Height() const;
    bool Ok() const;
    // Premultiplied 0xAARRGGBB.
    uint32_t Pixel(int x, int y) const;
    bool WritePng(const std::string& path) const;
    static TSurface ReadPng(const std::string& path);

  private:
    cairo_surface_t* surface_ = nullptr;
};

// cairo_t for the lifetime of a scope.
class TContext {
  public:
    explicit TContext(const TSurface& surface) : cr_(cairo_create(surface.Get())) {}
    TContext(const TContext&) = delete;
    TContext& operator=(const TContext&) = delete;
    ~TContext() { cairo_destroy(cr_); }
    operator cairo_t*() const { return cr_; }

  private:
    cairo_t* cr_;
};

// save/restore as a scope.
class TSaved {
  public:
    explicit TSaved(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    TSaved(const TSaved&) = delete;
    TSaved& operator=(const TSaved&) = delete;
    ~TSaved() { cairo_restore(cr_); }

  private:
    cairo_t* cr_;
};

}  // namespace artwork
