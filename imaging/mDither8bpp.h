// Conversion of 32-bit images to 8 bits per pixel: a halftone or an optimal
// palette, and no dithering, 4 x 4 ordered dithering or Floyd-Steinberg error
// diffusion; and compaction of a palette to the entries an image uses.
// The palette type and the dither method are settings of the module, as the
// creator sets them once at start-up. Every per-pixel decision is a table lookup.
#pragma once
#include "imaging/PixelBuffer.h"
#include "imaging/cPal8bpp.h"

#include <array>
#include <cstdint>

namespace qel {

// The lookup tables of the conversion ("round" is halves to even).
struct DitherTables {
    std::array<int32_t, 16> m1;              // ordered-dither matrix 1 ... 16, element x + 4y
    std::array<int32_t, 16> m51;             // round(m1 x 51 / 16)
    std::array<uint8_t, 216> halftoneIndex;  // r + 6g + 36b for levels 0 ... 5
    std::array<int32_t, 332> l6;             // round(v / 51) in 0 ... 5, for v = -51 ... 280
    std::array<int32_t, 271> l16;            // round(v / 17) in 0 ... 15, for v = -8 ... 262
    std::array<int32_t, 511> e1, e3, e5, e7; // round(n k / 16), for k = -255 ... 255

    int32_t L6(int v) const { return l6[v + 51]; }
    int32_t L16(int v) const { return l16[v + 8]; }
    int32_t E1(int k) const { return e1[k + 255]; }
    int32_t E3(int k) const { return e3[k + 255]; }
    int32_t E5(int k) const { return e5[k + 255]; }
    int32_t E7(int k) const { return e7[k + 255]; }
};

// The tables, built on first use and kept.
const DitherTables& GetDitherTables();
// Builds the tables now, so that the first conversion does not wait for them.
void InitDitherTables();

// The palette DitherTo8bpp builds. Other values leave the palette as it is and
// map no pixels.
enum class PaletteType : int32_t {
    Halftone = 0, // the 216-colour halftone cube
    Optimal = 1,  // from the image's own colours
};
// How DitherTo8bpp maps pixels to the palette. Other values map no pixels.
enum class DitherMethod : int32_t {
    Nearest = 0,        // the nearest colour
    Ordered = 1,        // 4 x 4 ordered dithering
    FloydSteinberg = 2, // error diffusion
};
void SetPaletteType(PaletteType paletteType);
void SetDitherMethod(DitherMethod ditherMethod);

// Builds `palette` by the palette type (an optimal palette is taken from a copy
// of the source scaled to fit 150 x 150 pixels: at most 256 colours, octree 8
// levels deep, equal weights) and writes the palette index of every source
// pixel into `dest` by the dither method. The source is not changed. False,
// with nothing done, unless the source is a 32-bit image and `dest` an 8-bit
// image of the same size.
bool DitherTo8bpp(const PixelView& source, const PixelView& dest, cPal8bpp& palette);

// Drops the palette entries that no pixel of the 8-bit image uses: the used
// entries keep their order, the pixels are renumbered, and a single used entry
// still leaves two (the second being the old entry 0). Returns the number of
// entries removed; 0, with nothing changed, for an image that is not 8-bit.
// Pixels must be below the palette's entry count.
uint8_t CompactPalette(const PixelView& image, cPal8bpp& palette);

#ifdef _WIN32
class cDIB;
// The same on DIB sections: `dest` is re-created at the source's size with 8
// bits per pixel and the palette's 256 table entries as its colour table.
bool DitherTo8bpp(const cDIB& source, cDIB& dest, cPal8bpp& palette);
// The same on a DIB section, showing the busy pointer meanwhile; the image's
// colour table follows the compacted palette.
uint8_t CompactPalette(cDIB& image, cPal8bpp& palette);
#endif

} // namespace qel
