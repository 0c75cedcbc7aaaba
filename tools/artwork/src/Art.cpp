#include "Art.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace artwork {

Rgba Hex(uint32_t rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Mix(Rgba a, Rgba b, double t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

Rgba WithAlpha(Rgba c, double alpha) {
    c.A = alpha;
    return c;
}

void SetColor(cairo_t* cr, Rgba c) {
    cairo_set_source_rgba(cr, c.R, c.G, c.B, c.A);
}

namespace {

void AddStops(cairo_pattern_t* pattern, std::initializer_list<Stop> stops) {
    for (const Stop& s : stops) {
        cairo_pattern_add_color_stop_rgba(pattern, s.Offset, s.Color.R, s.Color.G, s.Color.B, s.Color.A);
    }
}

void UsePattern(cairo_t* cr, cairo_pattern_t* pattern) {
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);  // the context keeps its own reference
}

}  // namespace

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStops(p, stops);
    UsePattern(cr, p);
}

void SetRadial(cairo_t* cr, double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    AddStops(p, stops);
    UsePattern(cr, p);
}

void SetVertical(cairo_t* cr, const Rect& r, std::initializer_list<Stop> stops) {
    SetLinear(cr, 0, r.Y, 0, r.Bottom(), stops);
}

void RoundedRect(cairo_t* cr, const Rect& r, double radius) {
    radius = std::min({radius, r.W / 2, r.H / 2});
    if (radius <= 0) {
        cairo_rectangle(cr, r.X, r.Y, r.W, r.H);
        return;
    }
    const double pi = M_PI;
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.Right() - radius, r.Y + radius, radius, -pi / 2, 0);
    cairo_arc(cr, r.Right() - radius, r.Bottom() - radius, radius, 0, pi / 2);
    cairo_arc(cr, r.X + radius, r.Bottom() - radius, radius, pi / 2, pi);
    cairo_arc(cr, r.X + radius, r.Y + radius, radius, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void Polygon(cairo_t* cr, std::initializer_list<Point> points) {
    bool first = true;
    for (const Point& p : points) {
        if (first) {
            cairo_move_to(cr, p.X, p.Y);
            first = false;
        } else {
            cairo_line_to(cr, p.X, p.Y);
        }
    }
    cairo_close_path(cr);
}

void FillRoundedRect(cairo_t* cr, const Rect& r, double radius, Rgba c) {
    RoundedRect(cr, r, radius);
    SetColor(cr, c);
    cairo_fill(cr);
}

void StrokeRoundedRect(cairo_t* cr, const Rect& r, double radius, double width, Rgba c) {
    RoundedRect(cr, r.Inset(width / 2), std::max(0.0, radius - width / 2));
    SetColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillCircle(cairo_t* cr, double cx, double cy, double radius, Rgba c) {
    Circle(cr, cx, cy, radius);
    SetColor(cr, c);
    cairo_fill(cr);
}

void StrokeLine(cairo_t* cr, Point a, Point b, double width, Rgba c, cairo_line_cap_t cap) {
    cairo_move_to(cr, a.X, a.Y);
    cairo_line_to(cr, b.X, b.Y);
    cairo_set_line_cap(cr, cap);
    cairo_set_line_width(cr, width);
    SetColor(cr, c);
    cairo_stroke(cr);
}

void FillPolygon(cairo_t* cr, std::initializer_list<Point> points, Rgba c) {
    Polygon(cr, points);
    SetColor(cr, c);
    cairo_fill(cr);
}

void FillPixels(cairo_t* cr, int x, int y, int w, int h, Rgba c) {
    cairo_rectangle(cr, x, y, w, h);
    SetColor(cr, c);
    cairo_fill(cr);
}

void SoftShadow(cairo_t* cr, const Rect& r, double radius, int spread, double alpha, double dy) {
    TSaved saved(cr);
    cairo_set_line_width(cr, 1.0);
    for (int i = spread; i >= 1; --i) {
        const double t = 1.0 - static_cast<double>(i) / (spread + 1);
        RoundedRect(cr, r.Moved(0, dy).Inset(-i + 0.5), radius + i - 0.5);
        SetColor(cr, Rgba{0, 0, 0, alpha * t * t});
        cairo_stroke(cr);
    }
}

TSurface::TSurface(int width, int height) : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

TSurface::TSurface(cairo_surface_t* adopted) : surface_(adopted) {}

TSurface::~TSurface() {
    if (surface_ != nullptr) {
        cairo_surface_destroy(surface_);
    }
}

int TSurface::Width() const {
    return cairo_image_surface_get_width(surface_);
}

int TSurface::Height() const {
    return cairo_image_surface_get_height(surface_);
}

bool TSurface::Ok() const {
    if (surface_ == nullptr || cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    // cairo writes a fully opaque picture as an RGB PNG and reads it back as RGB24.
    const cairo_format_t format = cairo_image_surface_get_format(surface_);
    return format == CAIRO_FORMAT_ARGB32 || format == CAIRO_FORMAT_RGB24;
}

uint32_t TSurface::Pixel(int x, int y) const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const uint32_t value = *reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride + x * 4);
    // RGB24 leaves the top byte undefined.
    return cairo_image_surface_get_format(surface_) == CAIRO_FORMAT_RGB24 ? (value | 0xFF000000u) : value;
}

bool TSurface::WritePng(const std::string& path) const {
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

TSurface TSurface::ReadPng(const std::string& path) {
    return TSurface(cairo_image_surface_create_from_png(path.c_str()));
}

}  // namespace artwork
