#include "Sheet.h"

#include <algorithm>
#include <vector>

namespace artwork {

namespace {

constexpr int kSheetWidth = 1700;
constexpr int kGap = 10;

int ScaleFor(const TPictureDef& p) {
    const int largest = std::max(p.Width, p.Height);
    if (largest <= 24) {
        return 4;
    }
    if (largest <= 70) {
        return 2;
    }
    return 1;
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
    TSaved saved(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int cy = 0; cy * 8 < h; ++cy) {
        for (int cx = 0; cx * 8 < w; ++cx) {
            FillPixels(cr, static_cast<int>(x) + cx * 8, static_cast<int>(y) + cy * 8, 8, 8,
                       (cx + cy) % 2 == 0 ? Hex(0xC8C8C8) : Hex(0xE8E8E8));
        }
    }
}

void Place(cairo_t* cr, const TSurface& picture, double x, double y, int scale) {
    TSaved saved(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, picture.Get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
}

struct TCell {
    const TPictureDef* Def;
    int X;
    int Y;
    int W;
    int H;
};

}  // namespace

bool WriteContactSheet(const TPictureList& list, const std::string& path) {
    std::vector<TCell> cells;
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    for (const TPictureDef& p : list) {
        const int scale = ScaleFor(p);
        const int w = std::min(p.Width * scale * 2 + kGap, kSheetWidth - 2 * kGap);
        const int h = p.Height * scale;
        if (x + w > kSheetWidth - kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        cells.push_back({&p, x, y, w, h});
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
    }
    const int height = y + rowHeight + kGap;

    TSurface sheet(kSheetWidth, height);
    TContext cr(sheet);
    FillPixels(cr, 0, 0, kSheetWidth, height, Hex(0x55606E));
    for (const TCell& cell : cells) {
        const int scale = ScaleFor(*cell.Def);
        const int w = cell.Def->Width * scale;
        TSurface picture = Render(*cell.Def);
        Checker(cr, cell.X, cell.Y, w, cell.H);
        Place(cr, picture, cell.X, cell.Y, scale);
        const int darkX = cell.X + w + kGap;
        if (darkX + w <= kSheetWidth) {
            // The menu's glass: black at alpha 160 over a blue desktop.
            FillPixels(cr, darkX, cell.Y, w, cell.H, Mix(Hex(0x2A5E96), Hex(0x000000), 160.0 / 255.0));
            Place(cr, picture, darkX, cell.Y, scale);
        }
    }
    return sheet.WritePng(path);
}

}  // namespace artwork
