#include "imaging/mDither8bpp.h"
#include "base/Rounding.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace qel {
namespace {

PaletteType g_paletteType = PaletteType::Halftone;
DitherMethod g_ditherMethod = DitherMethod::Nearest;

constexpr int32_t kM1[16] = {1, 9, 3, 11, 13, 5, 15, 7, 4, 12, 2, 10, 16, 8, 14, 6};

DitherTables MakeTables() {
    DitherTables t{};
    for (int i = 0; i < 16; ++i) {
        t.m1[i] = kM1[i];
        t.m51[i] = RoundHalfEven(kM1[i] * 51 / 16.0);
    }
    for (int i = 0; i < 216; ++i)
        t.halftoneIndex[i] = static_cast<uint8_t>(i);
    for (int v = -51; v <= 280; ++v)
        t.l6[v + 51] = std::clamp(RoundHalfEven(v / 51.0), 0, 5);
    for (int v = -8; v <= 262; ++v)
        t.l16[v + 8] = std::clamp(RoundHalfEven(v / 17.0), 0, 15);
    for (int k = -255; k <= 255; ++k) {
        t.e1[k + 255] = RoundHalfEven(k / 16.0);
        t.e3[k + 255] = RoundHalfEven(3 * k / 16.0);
        t.e5[k + 255] = RoundHalfEven(5 * k / 16.0);
        t.e7[k + 255] = RoundHalfEven(7 * k / 16.0);
    }
    return t;
}

using Cube = std::array<uint8_t, 16 * 16 * 16>;

// For every level colour (each channel a multiple of 17) the nearest entry.
void BuildClosestIndexCube(const cPal8bpp& palette, Cube& cube) {
    for (int b = 0; b < 16; ++b)
        for (int g = 0; g < 16; ++g)
            for (int r = 0; r < 16; ++r)
                cube[r + 16 * g + 256 * b] =
                    palette.ClosestIndex(static_cast<uint8_t>(r * 17), static_cast<uint8_t>(g * 17),
                                         static_cast<uint8_t>(b * 17));
}

// Maps every pixel with `index(x, y, blue, green, red)`, top row first, left to right.
template <class Index> void MapPixels(const PixelView& source, const PixelView& dest, Index index) {
    for (int32_t y = 0; y < source.height; ++y) {
        const uint8_t* in = source.Row(y);
        uint8_t* out = dest.Row(y);
        for (int32_t x = 0; x < source.width; ++x, in += 4)
            out[x] = index(x, y, in[0], in[1], in[2]);
    }
}

uint8_t Clamp(int v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// Floyd-Steinberg error diffusion on a working copy: each pixel gets its
// nearest entry, and its error is spread to the unvisited neighbours (7/16 right,
// 5/16 below, 1/16 below right, 3/16 below left). Errors smaller than 4 in sum
// are dropped. The scan runs left to right on every row.
template <class Nearest>
void Diffuse(const PixelView& source, const PixelView& dest, const uint8_t* table,
             const DitherTables& t, Nearest nearest) {
    PixelBuffer work = PixelBuffer::CopyOf(source);
    PixelView w = work.View();
    const int32_t lastX = w.width - 1, lastY = w.height - 1;
    for (int32_t y = 0; y <= lastY; ++y) {
        uint8_t* row = w.Row(y);
        uint8_t* below = y < lastY ? w.Row(y + 1) : nullptr;
        uint8_t* out = dest.Row(y);
        for (int32_t x = 0; x <= lastX; ++x) {
            uint8_t* p = row + 4 * x;
            uint8_t i = nearest(p[0], p[1], p[2]);
            out[x] = i;
            const uint8_t* entry = table + 4 * i;
            int e[3] = {p[0] - entry[0], p[1] - entry[1], p[2] - entry[2]};
            if (std::abs(e[0]) + std::abs(e[1]) + std::abs(e[2]) < 4) continue;
            for (int c = 0; c < 3; ++c) {
                if (x < lastX) p[4 + c] = Clamp(p[4 + c] + t.E7(e[c]));
                if (below) {
                    uint8_t* q = below + 4 * x + c;
                    q[0] = Clamp(q[0] + t.E5(e[c]));
                    if (x < lastX) q[4] = Clamp(q[4] + t.E1(e[c]));
                    if (x > 0) q[-4] = Clamp(q[-4] + t.E3(e[c]));
                }
            }
        }
    }
}

} // namespace

const DitherTables& GetDitherTables() {
    static const DitherTables tables = MakeTables();
    return tables;
}

void InitDitherTables() {
    GetDitherTables();
}

void SetPaletteType(PaletteType paletteType) {
    g_paletteType = paletteType;
}

void SetDitherMethod(DitherMethod ditherMethod) {
    g_ditherMethod = ditherMethod;
}

bool DitherTo8bpp(const PixelView& source, const PixelView& dest, cPal8bpp& palette) {
    if (source.bpp != 32 || source.empty() || dest.bpp != 8 || dest.width != source.width ||
        dest.height != source.height || dest.bits == nullptr)
        return false;
    using enum PaletteType;
    using enum DitherMethod;
    const DitherTables& t = GetDitherTables();
    Cube cube{};
    if (g_paletteType == Halftone) {
        palette.CreateHalftone(4);
    } else if (g_paletteType == Optimal) {
        FitRect fit = BestFit(source.width, source.height, 150, 150, false);
        if (fit.width == source.width && fit.height == source.height) {
            palette.CreateOptimal(source, 256, 8, 1.0f, 1.0f, 1.0f);
        } else {
            PixelBuffer sample = ScaleNearest(source, fit.width, fit.height);
            palette.CreateOptimal(sample.View(), 256, 8, 1.0f, 1.0f, 1.0f);
        }
        BuildClosestIndexCube(palette, cube);
    }
    uint8_t table[cPal8bpp::kTableEntries * 4];
    std::memcpy(table, palette.lpPalette(), sizeof table);

    auto halftone = [&](int r, int g, int b) { return t.halftoneIndex[r + 6 * g + 36 * b]; };
    auto halftoneNearest = [&](uint8_t b, uint8_t g, uint8_t r) {
        return halftone(t.L6(r), t.L6(g), t.L6(b));
    };
    auto optimalNearest = [&](uint8_t b, uint8_t g, uint8_t r) {
        return cube[t.L16(r) + 16 * t.L16(g) + 256 * t.L16(b)];
    };
    auto matrix = [](int32_t x, int32_t y) { return (x & 3) + 4 * (y & 3); };

    if (g_paletteType == Halftone && g_ditherMethod == Nearest) {
        MapPixels(source, dest, [&](int32_t, int32_t, uint8_t b, uint8_t g, uint8_t r) {
            return halftoneNearest(b, g, r);
        });
    } else if (g_paletteType == Halftone && g_ditherMethod == Ordered) {
        MapPixels(source, dest, [&](int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r) {
            int d = 26 - t.m51[matrix(x, y)];
            return halftone(t.L6(r + d), t.L6(g + d), t.L6(b + d));
        });
    } else if (g_paletteType == Halftone && g_ditherMethod == FloydSteinberg) {
        Diffuse(source, dest, table, t, halftoneNearest);
    } else if (g_paletteType == Optimal && g_ditherMethod == Nearest) {
        MapPixels(source, dest, [&](int32_t, int32_t, uint8_t b, uint8_t g, uint8_t r) {
            return optimalNearest(b, g, r);
        });
    } else if (g_paletteType == Optimal && g_ditherMethod == Ordered) {
        MapPixels(source, dest, [&](int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r) {
            int d = 8 - t.m1[matrix(x, y)];
            return cube[t.L16(r + d) + 16 * t.L16(g + d) + 256 * t.L16(b + d)];
        });
    } else if (g_paletteType == Optimal && g_ditherMethod == FloydSteinberg) {
        Diffuse(source, dest, table, t, optimalNearest);
    }
    return true;
}

uint8_t CompactPalette(const PixelView& image, cPal8bpp& palette) {
    if (image.bpp != 8 || image.empty()) return 0;
    const int n = palette.Entries();
    bool used[256] = {};
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.Row(y);
        for (int32_t x = 0; x < image.width; ++x)
            used[row[x]] = true;
    }
    uint8_t newIndex[256] = {}, oldIndex[256] = {};
    int k = 0;
    for (int j = 0; j < n; ++j) {
        if (!used[j]) continue;
        newIndex[j] = static_cast<uint8_t>(k);
        oldIndex[k++] = static_cast<uint8_t>(j);
    }
    if (k >= n) return 0;
    // A single used colour still leaves two entries (old(1) is then entry 0).
    int count = k > 1 ? k : (k == 1 ? 2 : 1);
    std::vector<uint8_t> table(static_cast<size_t>(count) * 4, 0);
    for (int i = 0; i < count; ++i) {
        table[i * 4] = palette.rgbB(oldIndex[i]);
        table[i * 4 + 1] = palette.rgbG(oldIndex[i]);
        table[i * 4 + 2] = palette.rgbR(oldIndex[i]);
    }
    palette.SetPalette(table);
    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* row = image.Row(y);
        for (int32_t x = 0; x < image.width; ++x)
            row[x] = newIndex[row[x]];
    }
    return static_cast<uint8_t>(n - count);
}

} // namespace qel
