#include "tools/skins/ArtCanvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace qel::art {

namespace {

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

uint8_t Channel(double v) {
    return static_cast<uint8_t>(std::floor(Clamp01(v) * 255 + 0.5));
}

// The colour of `stops` at `t`.
Rgb Interpolate(const std::vector<Stop>& stops, double t) {
    if (t <= stops.front().at) return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].at) {
            const Stop &a = stops[i - 1], &b = stops[i];
            return Mix(a.colour, b.colour, (t - a.at) / (b.at - a.at));
        }
    return stops.back().colour;
}

} // namespace

Rgb FromHex(uint32_t rrggbb) {
    return {((rrggbb >> 16) & 0xFF) / 255.0, ((rrggbb >> 8) & 0xFF) / 255.0,
            (rrggbb & 0xFF) / 255.0};
}

Rgb FromColourValue(uint32_t bbggrr) {
    return {(bbggrr & 0xFF) / 255.0, ((bbggrr >> 8) & 0xFF) / 255.0,
            ((bbggrr >> 16) & 0xFF) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighten(Rgb c, double t) {
    return Mix(c, {1, 1, 1}, t);
}

Rgb Darken(Rgb c, double t) {
    return Mix(c, {0, 0, 0}, t);
}

double Lightness(Rgb c) {
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

Shape Box(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) {
        double dx = std::max(x0 - x, x - x1), dy = std::max(y0 - y, y - y1);
        if (dx > 0 || dy > 0) {
            double ox = std::max(dx, 0.0), oy = std::max(dy, 0.0);
            return std::sqrt(ox * ox + oy * oy);
        }
        return std::max(dx, dy);
    };
}

Shape RoundBox(double x0, double y0, double x1, double y1, double radius) {
    return Grow(Box(x0 + radius, y0 + radius, x1 - radius, y1 - radius), radius);
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        double px = x - cx, py = y - cy;
        if (rx == ry) return std::sqrt(px * px + py * py) - rx;
        double ax = px / rx, ay = py / ry;
        double bx = px / (rx * rx), by = py / (ry * ry);
        double k0 = std::sqrt(ax * ax + ay * ay), k1 = std::sqrt(bx * bx + by * by);
        if (k1 == 0) return -std::min(rx, ry);
        return k0 * (k0 - 1) / k1;
    };
}

Shape Stroke(double x0, double y0, double x1, double y1, double halfWidth) {
    return [=](double x, double y) {
        double dx = x1 - x0, dy = y1 - y0;
        double length2 = dx * dx + dy * dy;
        double t = length2 > 0 ? Clamp01(((x - x0) * dx + (y - y0) * dy) / length2) : 0;
        double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
        return std::sqrt(ex * ex + ey * ey) - halfWidth;
    };
}

Shape Grow(Shape s, double by) {
    return [s = std::move(s), by](double x, double y) { return s(x, y) - by; };
}

Shape Move(Shape s, double dx, double dy) {
    return [s = std::move(s), dx, dy](double x, double y) { return s(x - dx, y - dy); };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) {
        return std::min(a(x, y), b(x, y));
    };
}

Shape Intersect(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) {
        return std::max(a(x, y), b(x, y));
    };
}

Shape Subtract(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) {
        return std::max(a(x, y), -b(x, y));
    };
}

Paint Solid(Rgb c) {
    return [c](double, double) { return c; };
}

Paint Vertical(std::vector<Stop> stops) {
    return [stops = std::move(stops)](double, double y) { return Interpolate(stops, y); };
}

Opacity VerticalFade(double y0, double a0, double y1, double a1) {
    return [=](double, double y) { return a0 + (a1 - a0) * Clamp01((y - y0) / (y1 - y0)); };
}

Opacity RadialFade(double cx, double cy, double rx, double ry, double a0, double a1) {
    return [=](double x, double y) {
        double ax = (x - cx) / rx, ay = (y - cy) / ry;
        return a0 + (a1 - a0) * Clamp01(std::sqrt(ax * ax + ay * ay));
    };
}

ArtCanvas::ArtCanvas(int width, int height, Rgb fill) : width_(width), height_(height) {
    if (width < 1 || height < 1) throw std::invalid_argument("empty canvas");
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

void ArtCanvas::Fill(const Shape& shape, const Paint& paint, double opacity) {
    Fill(shape, paint, [opacity](double, double) { return opacity; });
}

void ArtCanvas::Fill(const Shape& shape, const Paint& paint, const Opacity& opacity) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            double cx = x + 0.5, cy = y + 0.5;
            double cover = Clamp01(0.5 - shape(cx, cy));
            if (cover <= 0) continue;
            double alpha = cover * Clamp01(opacity(cx, cy));
            Rgb& p = pixels_[Index(x, y)];
            p = Mix(p, paint(cx, cy), alpha);
        }
}

void ArtCanvas::Draw(const ArtCanvas& source, const SheetRect& from, int x, int y) {
    if (from.x < 0 || from.y < 0 || from.Right() > source.width_ ||
        from.Bottom() > source.height_ || x < 0 || y < 0 || x + from.width > width_ ||
        y + from.height > height_)
        throw std::out_of_range("canvas copy outside a canvas");
    for (int row = 0; row < from.height; ++row)
        for (int col = 0; col < from.width; ++col)
            Set(x + col, y + row, source.At(from.x + col, from.y + row));
}

SheetImage ArtCanvas::Picture(const SheetRect& r) const {
    if (r.x < 0 || r.y < 0 || r.Right() > width_ || r.Bottom() > height_)
        throw std::out_of_range("picture outside the canvas");
    SheetImage out(r.width, r.height);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            Rgb c = At(r.x + x, r.y + y);
            out.SetPixel(x, y,
                         static_cast<uint32_t>(Channel(c.r)) |
                             static_cast<uint32_t>(Channel(c.g)) << 8 |
                             static_cast<uint32_t>(Channel(c.b)) << 16);
        }
    return out;
}

} // namespace qel::art
