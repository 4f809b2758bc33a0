#include "base/PictureHeader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace qel {
namespace {

constexpr uint32_t kUncompressed = 0, kBitFields = 3;

uint32_t Le32(const uint8_t* b) {
    uint32_t v;
    memcpy(&v, b, sizeof v);
    return v;
}
uint16_t Le16(const uint8_t* b) {
    uint16_t v;
    memcpy(&v, b, sizeof v);
    return v;
}

bool Fits(int64_t width, int64_t height, long maxSide) {
    return width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
           uint64_t(width) * uint64_t(height) <= kMaxPictureArea;
}

bool BmpWithin(const uint8_t* b, size_t size, long maxSide) {
    // An uncompressed bitmap holds all its rows (the last one perhaps without
    // its padding): a file cut short is no picture.
    auto whole = [&](int64_t w, int64_t h, unsigned bits) {
        const uint64_t row = (uint64_t(w) * bits + 7) / 8, stride = (row + 3) / 4 * 4;
        return uint64_t(Le32(b + 10)) + stride * uint64_t(h - 1) + row <= size;
    };
    if (Le32(b + 14) == 12) {
        const int64_t w = Le16(b + 18), h = Le16(b + 20);
        return Fits(w, h, maxSide) && whole(w, h, Le16(b + 24));
    }
    if (size < 34) return false;
    const int64_t w = int32_t(Le32(b + 18)), h = std::abs(int64_t(int32_t(Le32(b + 22))));
    const uint32_t compression = Le32(b + 30);
    const bool uncompressed = compression == kUncompressed || compression == kBitFields;
    return Fits(w, h, maxSide) && (!uncompressed || whole(w, h, Le16(b + 28)));
}

// The bytes of the colour table that the flags byte `packed` announces.
size_t ColourTable(uint8_t packed) {
    return packed & 0x80 ? size_t(3) << ((packed & 7) + 1) : 0;
}

// A decoder's canvas covers the logical screen and every frame's extent.
bool GifWithin(const uint8_t* b, size_t size, long maxSide) {
    int64_t width = Le16(b + 6), height = Le16(b + 8);
    for (size_t at = 13 + ColourTable(b[10]); at < size;) {
        const uint8_t block = b[at++];
        if (block == 0x3B) break; // the trailer
        if (block == 0x2C) {      // a frame: left, top, width, height, flags
            if (size - at < 9) break;
            width = std::max<int64_t>(width, Le16(b + at) + Le16(b + at + 4));
            height = std::max<int64_t>(height, Le16(b + at + 2) + Le16(b + at + 6));
            at += 9 + ColourTable(b[at + 8]) + 1; // and the code size
        } else if (block == 0x21) {               // an extension: its label
            ++at;
        } else {
            return false;
        }
        while (at < size && b[at] != 0) // data sub-blocks up to an empty one
            at += b[at] + 1;
        ++at;
    }
    return Fits(width, height, maxSide);
}

} // namespace

bool PictureWithin(const void* data, size_t size, long maxSide) {
    const auto* b = static_cast<const uint8_t*>(data);
    if (size >= 26 && b[0] == 'B' && b[1] == 'M') return BmpWithin(b, size, maxSide);
    if (size >= 4 && memcmp(b, "GIF8", 4) == 0) return size >= 13 && GifWithin(b, size, maxSide);
    return true;
}

} // namespace qel
