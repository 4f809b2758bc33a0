// A device-independent bitmap: a BMP file's, or an icon's image.
#include "base/PictureCost.h"

#include <cstdlib>

namespace qel::picture {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

// Rows of `width` pixels of `bits` each, padded to four bytes.
uint64_t Stride(int64_t width, unsigned bits) {
    return (uint64_t(width) * bits + 31) / 32 * 4;
}

// The runs of pixels that escapes close in the RLE data `data` of `size` bytes
// of a bitmap of `width` x `height` pixels of `depth` bits: the rectangles the
// decoder adds to the region of the pixels it set. It reads pairs from the
// bottom row up: a run of one value, or after a zero an escape (0: the line's
// end, 1: the picture's end, 2: a delta of two bytes, right and up) or, from 3,
// so many pixels from the data, padded to two bytes. Runs with no escape between
// them are one; pixels past a row's end are dropped, and a delta past it goes to
// it. The decoder stops at the picture's end, past the top row, or where the
// data ends, even mid-escape.
uint64_t RleCloses(const uint8_t* data, uint64_t size, int64_t width, int64_t height,
                   unsigned depth) {
    uint64_t closes = 0;
    int64_t x = 0, y = height - 1, left = 0;
    for (uint64_t at = 0; at + 1 < size;) {
        const uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count || value > 2) { // pixels
            const uint64_t bytes = count ? 0 : (value * depth + 7) / 8;
            at += bytes + (bytes & 1);
            x = std::min<int64_t>(x + (count ? count : value), width);
            continue;
        }
        closes += x != left;
        if (value == 1 || (value == 0 && --y < 0) || (value == 2 && at + 1 >= size)) break;
        if (value == 0) {
            x = 0;
        } else {
            x = std::min<int64_t>(x + data[at], width);
            y -= data[at + 1];
            at += 2;
            if (y < 0) break;
        }
        left = x;
    }
    return closes;
}

} // namespace

// A device-independent bitmap whose header lies at `info` in `b`: in a BMP file
// its pixels start at `bits`; in an icon image (`icon`) they follow the colour
// table, its height counts the colour rows and the mask rows, and both are there.
Found DibCost(const uint8_t* b, uint64_t size, uint64_t info, uint64_t bits, bool icon) {
    if (info + 4 > size) return {};
    const uint32_t header = Le32(b + info);
    if ((header != 12 && header != 40 && header != 52 && header != 56 && header != 108 &&
         header != 124) ||
        info + header > size)
        return {};
    const uint8_t* h = b + info;
    const bool core = header == 12;
    const int64_t width = core ? Le16(h + 4) : int32_t(Le32(h + 4));
    const int64_t height =
        (core ? Le16(h + 6) : std::abs(int64_t(int32_t(Le32(h + 8))))) / (icon ? 2 : 1);
    const unsigned depth = Le16(h + (core ? 10 : 14));
    const uint32_t compression = core ? kRgb : Le32(h + 16), dataSize = core ? 0 : Le32(h + 20);
    const uint64_t colours =
        core || Le32(h + 32) == 0 ? (depth <= 8 ? 1u << depth : 0) : Le32(h + 32);
    const uint64_t fieldMasks = header == 40 && compression == kBitFields ? 12 : 0;
    const uint64_t table = info + header + fieldMasks + colours * (core ? 3 : 4);
    if (icon) bits = table;
    // Pixel data after the headers and colour table.
    if (table > size || bits < table || width <= 0 || height <= 0) return {};
    Cost cost = Cost::Single(width, height, kBitmapBytesPerPixel);
    if (width > kAnyPicture.side || height > kAnyPicture.side) return cost; // too large to fit
    switch (compression) {
    case kRgb:
    case kBitFields: {
        const bool fits = compression == kRgb ? depth == 1 || depth == 4 || depth == 8 ||
                                                    depth == 16 || depth == 24 || depth == 32
                                              : depth == 16 || depth == 32;
        // All rows are there (the last one perhaps without its padding).
        // An icon's mask rows too, but for 32 bits, whose alpha may stand in for them.
        const uint64_t maskRow = depth == 32 ? 0 : Stride(width, 1);
        const uint64_t rows = icon ? (Stride(width, depth) + maskRow) * height
                                   : Stride(width, depth) * (height - 1) + (width * depth + 7) / 8;
        return fits && bits + rows <= size ? Found(cost) : Found();
    }
    case kRle8:
    case kRle4: {
        // Bottom-up BMP files only: the icon loader and the decoder of top-down
        // bitmaps take no runs.
        if (icon || int32_t(Le32(h + 8)) < 0 || depth != (compression == kRle8 ? 8u : 4u) ||
            dataSize == 0 || bits + dataSize > size)
            return {};
        cost.rleCloses = RleCloses(b + bits, dataSize, width, height, depth);
        return cost;
    }
    default: // JPEG and PNG data are for printers; a screen bitmap cannot hold them
        return {};
    }
}

} // namespace qel::picture
