#include "base/PictureHeader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace qel {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpeg = 4, kPng = 5;
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

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
uint32_t Be32(const uint8_t* b) {
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}
uint16_t Be16(const uint8_t* b) {
    return uint16_t(b[0] << 8 | b[1]);
}

// What a decoder makes of a picture: its canvas, and the frames it keeps.
struct Extent {
    int64_t width = 0, height = 0;
    uint64_t frames = 0, area = 0; // the frames' count and the sum of their areas

    static Extent Single(int64_t width, int64_t height) { // sides of 0 or more
        return {width, height, 1, uint64_t(width) * uint64_t(height)};
    }
};
using Found = std::optional<Extent>; // none: broken

// The sides in the header chunk, which a PNG decoder takes first.
Found PngExtent(const uint8_t* b, uint64_t size) {
    if (size < 24 || memcmp(b, kPngSignature, 8) != 0) return {};
    return Extent::Single(Be32(b + 16), Be32(b + 20));
}

// The frame header (SOFn) before the first scan gives the sides.
Found JpegExtent(const uint8_t* b, uint64_t size) {
    for (uint64_t at = 2; at + 4 <= size;) {
        const uint8_t marker = b[at + 1];
        if (b[at] != 0xFF) return {};
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += marker == 0xFF ? 1 : 2; // a fill byte, or a marker without a segment
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return {}; // the end or a scan: no frame before
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return at + 9 <= size ? Found(Extent::Single(Be16(b + at + 7), Be16(b + at + 5)))
                                  : Found();
        at += 2 + Be16(b + at + 2);
    }
    return {};
}

// Rows of `width` pixels of `bits` each, padded to four bytes.
uint64_t Stride(int64_t width, unsigned bits) {
    return (uint64_t(width) * bits + 31) / 32 * 4;
}

// A device-independent bitmap whose header lies at `info` in `b`: in a BMP file
// its pixels start at `bits`; in an icon image (`icon`) they follow the colour
// table, its height counts the colour rows and the mask rows, and both are there.
Found DibExtent(const uint8_t* b, uint64_t size, uint64_t info, uint64_t bits, bool icon) {
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
    const uint64_t masks = header == 40 && compression == kBitFields ? 12 : 0;
    const uint64_t table = info + header + masks + colours * (core ? 3 : 4);
    if (icon) bits = table;
    if (table > size || width <= 0 || height <= 0) return {};
    const Extent extent = Extent::Single(width, height);
    if (width > kAnyPicture.side || height > kAnyPicture.side) return extent; // too large to fit
    switch (compression) {
    case kRgb:
    case kBitFields: {
        // All rows are there (the last one perhaps without its padding).
        if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
            return {};
        const uint64_t rows = icon ? (Stride(width, depth) + Stride(width, 1)) * height
                                   : Stride(width, depth) * (height - 1) + (width * depth + 7) / 8;
        return bits + rows <= size ? Found(extent) : Found();
    }
    case kRle8:
    case kRle4:
        return dataSize != 0 && bits + dataSize <= size ? Found(extent) : Found();
    case kJpeg:
    case kPng: {
        if (dataSize == 0 || bits + dataSize > size) return {};
        const Found inner = (compression == kJpeg ? JpegExtent : PngExtent)(b + bits, dataSize);
        if (!inner) return {};
        return Extent::Single(std::max(width, inner->width), std::max(height, inner->height));
    }
    default:
        return {};
    }
}

// Every image of an icon or cursor lies in the file and holds together.
Found IconExtent(const uint8_t* b, uint64_t size) {
    const uint64_t count = Le16(b + 4);
    if (count == 0 || 6 + 16 * count > size) return {};
    Extent all;
    for (const uint8_t* entry = b + 6; entry < b + 6 + 16 * count; entry += 16) {
        const uint64_t bytes = Le32(entry + 8), offset = Le32(entry + 12);
        if (offset + bytes > size) return {};
        const Found image = bytes >= 8 && memcmp(b + offset, kPngSignature, 8) == 0
                                ? PngExtent(b + offset, bytes)
                                : DibExtent(b + offset, bytes, 0, 0, true);
        if (!image) return {};
        all = {std::max(all.width, image->width), std::max(all.height, image->height),
               all.frames + 1, all.area + image->area};
    }
    return all;
}

// The bytes of the colour table that the flags byte `packed` announces.
size_t ColourTable(uint8_t packed) {
    return packed & 0x80 ? size_t(3) << ((packed & 7) + 1) : 0;
}

// A decoder's canvas covers the logical screen and every frame's extent, and it
// keeps every frame. Blocks of no known kind make no GIF.
Found GifExtent(const uint8_t* b, size_t size) {
    Extent all{Le16(b + 6), Le16(b + 8)};
    for (size_t at = 13 + ColourTable(b[10]); at < size && all.frames <= kMaxPictureFrames;) {
        const uint8_t block = b[at++];
        if (block == 0x3B) break; // the trailer
        if (block == 0x2C) {      // a frame: left, top, width, height, flags
            if (size - at < 9) break;
            const int64_t width = Le16(b + at + 4), height = Le16(b + at + 6);
            all.width = std::max<int64_t>(all.width, Le16(b + at) + width);
            all.height = std::max<int64_t>(all.height, Le16(b + at + 2) + height);
            ++all.frames;
            all.area += uint64_t(width * height);
            at += 9 + ColourTable(b[at + 8]) + 1; // and the code size
        } else if (block == 0x21) {               // an extension: its label
            ++at;
        } else {
            return {};
        }
        while (at < size && b[at] != 0) // data sub-blocks up to an empty one
            at += b[at] + 1;
        ++at;
    }
    return all;
}

bool Judge(const Extent& found, PictureBound bound, std::string* tooLarge) {
    if (found.width <= 0 || found.height <= 0) return false;
    auto refuse = [&](const std::string& what, const std::string& limit) {
        if (tooLarge) *tooLarge = what + "; " + bound.kind + limit;
        return false;
    };
    const std::string sides =
        "is " + std::to_string(found.width) + " x " + std::to_string(found.height) + " pixels";
    if (found.width > bound.side || found.height > bound.side)
        return refuse(sides, " is at most " + std::to_string(bound.side) + " pixels a side");
    if (uint64_t(found.width) * uint64_t(found.height) > kMaxPictureArea)
        return refuse(sides, " is at most " + std::to_string(kMaxPictureArea) + " pixels in all");
    if (found.frames > kMaxPictureFrames)
        return refuse("has more than " + std::to_string(kMaxPictureFrames) + " frames",
                      " has at most " + std::to_string(kMaxPictureFrames));
    if (found.area > kMaxPictureArea)
        return refuse("has frames of " + std::to_string(found.area) + " pixels in all",
                      " has at most " + std::to_string(kMaxPictureArea));
    return true;
}

} // namespace

bool PictureWithin(const void* data, size_t size, PictureBound bound, std::string* tooLarge) {
    if (tooLarge) tooLarge->clear();
    const auto* b = static_cast<const uint8_t*>(data);
    Found found;
    if (size >= 14 && b[0] == 'B' && b[1] == 'M')
        found = DibExtent(b, size, 14, Le32(b + 10), false);
    else if (size >= 13 && memcmp(b, "GIF8", 4) == 0)
        found = GifExtent(b, size);
    else if (size >= 2 && b[0] == 0xFF && b[1] == 0xD8)
        found = JpegExtent(b, size);
    else if (size >= 8 && memcmp(b, kPngSignature, 8) == 0)
        found = PngExtent(b, size);
    else if (size >= 6 && Le16(b) == 0 && (Le16(b + 2) == 1 || Le16(b + 2) == 2))
        found = IconExtent(b, size);
    return found && Judge(*found, bound, tooLarge);
}

} // namespace qel
