#include "bench/SampleImages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qel::test {
namespace {

uint32_t Hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint8_t Channel(double v) {
    return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}

void FillRect(PixelView v, int x0, int y0, int x1, int y1, uint8_t index) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, v.width);
    y1 = std::min(y1, v.height);
    for (int y = y0; y < y1; ++y)
        std::fill(v.Row(y) + x0, v.Row(y) + std::max(x0, x1), index);
}

} // namespace

PixelBuffer PhotoLikeImage(int width, int height) {
    PixelBuffer image(width, height, 32);
    PixelView v = image.View();
    for (int y = 0; y < height; ++y) {
        uint8_t* p = v.Row(y);
        for (int x = 0; x < width; ++x, p += 4) {
            double u = double(x) / width, w = double(y) / height;
            // A sky-to-ground gradient, two soft blobs and a ripple.
            double blob1 = std::exp(-((u - 0.3) * (u - 0.3) + (w - 0.4) * (w - 0.4)) * 18);
            double blob2 = std::exp(-((u - 0.72) * (u - 0.72) + (w - 0.65) * (w - 0.65)) * 10);
            double ripple = std::sin(u * 23 + std::cos(w * 17) * 2) * std::sin(w * 19);
            int noise = static_cast<int>(Hash(static_cast<uint32_t>(y * width + x)) % 13) - 6;
            double r = 70 + 120 * w + 150 * blob1 + 30 * ripple + noise;
            double g = 110 + 60 * u + 90 * blob2 - 40 * blob1 + 25 * ripple + noise;
            double b = 210 - 150 * w + 60 * blob2 + 20 * ripple + noise;
            p[0] = Channel(b);
            p[1] = Channel(g);
            p[2] = Channel(r);
            p[3] = 0;
        }
    }
    return image;
}

PixelBuffer UserInterfaceImage(int width, int height) {
    PixelBuffer image(width, height, 8);
    PixelView v = image.View();
    FillRect(v, 0, 0, width, height, 1);           // desktop
    FillRect(v, 0, height - 40, width, height, 2); // task bar
    for (int i = 0; i < 6; ++i) {
        int x0 = 60 + i * 230, y0 = 50 + i * 120, w = 700, h = 520;
        FillRect(v, x0, y0, x0 + w, y0 + h, 3); // frame
        FillRect(v, x0 + 4, y0 + 4, x0 + w - 4, y0 + 32, static_cast<uint8_t>(4 + i % 3));
        FillRect(v, x0 + 4, y0 + 32, x0 + w - 4, y0 + h - 4, 7); // client area
        FillRect(v, x0 + 4, y0 + 32, x0 + w - 4, y0 + 52, 8);    // menu bar
        for (int b = 0; b < 3; ++b)                              // caption buttons
            FillRect(v, x0 + w - 30 - 26 * b, y0 + 8, x0 + w - 8 - 26 * b, y0 + 28, 9);
        // Rows of text: runs of dark marks of varying length.
        for (int line = 0; line < 20; ++line) {
            int ty = y0 + 62 + line * 22;
            int tx = x0 + 16;
            for (uint32_t word = 0; tx < x0 + w - 60; ++word) {
                uint32_t hsh = Hash(static_cast<uint32_t>(i * 100000 + line * 1000) + word);
                int len = 4 + static_cast<int>(hsh % 9);
                for (int c = 0; c < len; ++c) {
                    uint32_t glyph = Hash(hsh + static_cast<uint32_t>(c));
                    for (int gy = 0; gy < 11; ++gy)
                        for (int gx = 0; gx < 6; ++gx)
                            if ((glyph >> ((gy * 3 + gx) % 31)) & 1)
                                FillRect(v, tx + gx, ty + gy, tx + gx + 1, ty + gy + 1,
                                         static_cast<uint8_t>(10 + (word % 3 == 0)));
                    tx += 7;
                }
                tx += 5;
            }
        }
        FillRect(v, x0 + 20, y0 + h - 50, x0 + 120, y0 + h - 20, 12); // a button
    }
    return image;
}

} // namespace qel::test
