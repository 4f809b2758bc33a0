// A small anti-aliased painter for the skin artwork: shapes are signed distance
// functions, paints give a colour at a point, and every fill blends its paint
// over the canvas by the shape's coverage of each pixel. Only +, -, *, / and
// sqrt are used, so that the pictures come out the same on every compiler.
#pragma once
#include "sheet/SheetImage.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qel::art {

// Red, green and blue from 0 to 1.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb FromHex(uint32_t rrggbb);         // 0xRRGGBB, as the artwork's colours are written
Rgb FromColourValue(uint32_t bbggrr); // 0x00BBGGRR, as a sheet stores colours
Rgb Mix(Rgb a, Rgb b, double t);      // a at t = 0, b at t = 1
Rgb Lighten(Rgb c, double t);         // towards white
Rgb Darken(Rgb c, double t);          // towards black
double Lightness(Rgb c);              // 0 (black) to 1 (white), weighted for the eye

// The signed distance from a point to a shape's outline, in pixels: negative
// inside. Pixel (x, y) covers the square from (x, y) to (x + 1, y + 1).
using Shape = std::function<double(double x, double y)>;
Shape Box(double x0, double y0, double x1, double y1);
Shape RoundBox(double x0, double y0, double x1, double y1, double radius);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape Stroke(double x0, double y0, double x1, double y1, double halfWidth); // round ends
Shape Grow(Shape s, double by); // shrinks for a negative `by`
Shape Move(Shape s, double dx, double dy);
Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);

// The colour of a paint at a point.
using Paint = std::function<Rgb(double x, double y)>;
// How opaque a fill is at a point, 0 to 1.
using Opacity = std::function<double(double x, double y)>;

struct Stop {
    double at;
    Rgb colour;
};
Paint Solid(Rgb c);
// By y, linear between the stops (in increasing order), constant beyond them.
Paint Vertical(std::vector<Stop> stops);
// Opacity a0 at y0 to a1 at y1, constant beyond.
Opacity VerticalFade(double y0, double a0, double y1, double a1);
// Opacity a0 at (cx, cy) to a1 on the ellipse of radii rx, ry, and beyond.
Opacity RadialFade(double cx, double cy, double rx, double ry, double a0, double a1);

class ArtCanvas {
public:
    ArtCanvas(int width, int height, Rgb fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Rgb c) { pixels_[Index(x, y)] = c; }

    // Blends the paint over every pixel the shape covers, edges anti-aliased.
    void Fill(const Shape& shape, const Paint& paint, double opacity = 1);
    void Fill(const Shape& shape, const Paint& paint, const Opacity& opacity);
    void Fill(const Shape& shape, Rgb colour, double opacity = 1) {
        Fill(shape, Solid(colour), opacity);
    }
    // Copies `from` of `source` to (x, y); the rectangle must lie in both canvases.
    void Draw(const ArtCanvas& source, const SheetRect& from, int x, int y);

    // `r` (inside the canvas) as colour values, each channel rounded to 8 bits.
    SheetImage Picture(const SheetRect& r) const;
    SheetImage Picture() const { return Picture({0, 0, width_, height_}); }

private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int width_, height_;
    std::vector<Rgb> pixels_;
};

} // namespace qel::art
