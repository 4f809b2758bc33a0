// An icon or cursor: a directory of images, each a bitmap or a PNG.
#include "base/PictureCost.h"

namespace qel::picture {

// Every image of an icon or cursor lies in the file and holds together. The
// images take no more bytes than the file has, so that entries sharing one
// image cannot make the walk read it over and over. A cursor's loader holds one
// more copy of the file. With an `inflater`, its PNG images' streams are
// inflated too.
Found IconCost(const uint8_t* b, uint64_t size, Inflater* inflater) {
    const uint64_t count = Le16(b + 4);
    if (count == 0 || 6 + 16 * count > size) return {};
    Cost all;
    all.decodeBytes = Le16(b + 2) == 2 ? size : 0;
    uint64_t walked = 6 + 16 * count;
    for (const uint8_t* entry = b + 6; entry < b + 6 + 16 * count; entry += 16) {
        const uint64_t bytes = Le32(entry + 8), offset = Le32(entry + 12);
        walked += bytes;
        if (offset + bytes > size || walked > size) return {};
        const Found image = bytes >= 8 && memcmp(b + offset, kPngSignature, 8) == 0
                                ? PngCost(b + offset, bytes, inflater, 32, all.compressedBytes)
                                : DibCost(b + offset, bytes, 0, 0, true);
        if (!image) return {};
        all += *image;
        if (all.passed) return all;
    }
    return all;
}

} // namespace qel::picture
