// The picture check: each format's walk finds what decoding a picture costs,
// and the judgement weighs that against the bounds.
#include "base/PictureHeader.h"

#include "base/Inflater.h"
#include "base/PictureCost.h"

#include <cmath>

namespace qel {
namespace {

using namespace picture;

// The pixels of the largest picture `bound` takes.
uint64_t BoundArea(PictureBound bound) {
    return std::min(uint64_t(bound.side) * uint64_t(bound.side), kMaxPictureArea);
}

// The deflate blocks a file's zlib streams hold at most: those the largest
// picture of the bound may hold at 4 bytes a pixel, flushed at every row of its
// passes (fewer than twice its pixel rows). A block of code tables takes the walk
// some 3.6 us under Wine, so this bounds its time on them to a sixth of a real
// load (120 ms at 4096 a side), however many images share them.
uint64_t MostDeflateBlocks(PictureBound bound) {
    return BoundArea(bound) * 4 / kBytesABlock + 2 * kFlushBlocksARow * uint64_t(bound.side) +
           kClosingBlocks;
}

// Whether what the walk `found` lies within `bound` and the bounds of every
// picture; if not, what and the bound in `tooLarge` for a refusal of size or cost.
bool Judge(const Cost& found, PictureBound bound, std::string* tooLarge) {
    if (found.width <= 0 || found.height <= 0) return false;
    auto refuse = [&](const std::string& what, const std::string& limit) {
        if (tooLarge) *tooLarge = limit.empty() ? what : what + "; " + bound.kind + limit;
        return false;
    };
    const std::string sides =
        "is " + std::to_string(found.width) + " x " + std::to_string(found.height) + " pixels";
    if (found.width > bound.side || found.height > bound.side)
        return refuse(sides, " is at most " + std::to_string(bound.side) + " pixels a side");
    if (uint64_t(found.width) * uint64_t(found.height) > kMaxPictureArea)
        return refuse(sides, " is at most " + std::to_string(kMaxPictureArea) + " pixels in all");
    // The decoder's memory and work, against those of the largest picture the bound takes.
    const uint64_t area = BoundArea(bound);
    const uint64_t blocks = std::min(CeilDiv(bound.side, 8) * CeilDiv(bound.side, 8), area / 64);
    const auto sideBlocks = uint64_t(std::sqrt(double(blocks))); // a square's of as many
    // The costliest real picture: a bitmap of that area from a file of 24-bit pixels.
    const uint64_t realBytes =
        kBitmapBytesPerPixel * area + kFileCopies * std::min<uint64_t>(3 * area, kMaxPictureFile);
    constexpr uint64_t kMB = 1 << 20; // the unit memory is told in: what is found rounds up
    const struct {
        uint64_t found, most, unit;
        const char *verb, *what;
    } counts[] = {
        {found.frames, kMaxPictureFrames, 1, "has", " frames"},
        {found.frameArea, kMaxPictureArea, 1, "has", " pixels in its frames"},
        {found.decodeBytes, realBytes * 3 / 2, kMB, "needs", " MB to decode"},
        {found.scans, kMaxScans, 1, "has", " scans"},
        {found.scanBlocks, kScanBlocksAPixelBlock * blocks, 1, "has", " blocks in its scans"},
        {found.decisions, kDecisionsPerSideBlock * sideBlocks, 1, "needs",
         " arithmetic-coded decisions"},
        {found.extensionBlocks, kMaxExtensionBlocks, 1, "has", " blocks in its extensions"},
        {found.ancillaryChunks, kMaxAncillaryChunks, 1, "has", " ancillary chunks"},
        {found.dataChunks, kMaxDataChunks, 1, "has", " image data chunks"},
        {found.compressedBytes, kMaxCompressedChunkBytes, kMB, "makes", " MB in compressed chunks"},
        {found.rleCloses, kMaxRleCloses, 1, "closes", " RLE runs with escapes"},
        {found.rleCopies, kMaxRleCopies, 1, "makes the decoder copy",
         " rectangles of its RLE runs"},
    };
    for (const auto& count : counts)
        if (count.found > count.most)
            return refuse(count.verb + (" " + std::to_string(CeilDiv(count.found, count.unit))) +
                              count.what,
                          std::string(" ") + count.verb + " at most " +
                              std::to_string(count.most / count.unit) + count.what);
    if (found.passed) return refuse(found.passed.what, found.passed.limit);
    return true;
}

// What decoding the picture `b` costs, walked from its start to its end; with
// an `inflater`, PNG data is inflated too.
Found Walk(const uint8_t* b, uint64_t size, Inflater* inflater) {
    Found found;
    if (size >= 14 && b[0] == 'B' && b[1] == 'M')
        found = DibCost(b, size, 14, Le32(b + 10), false);
    else if (size >= 13 && memcmp(b, "GIF8", 4) == 0)
        found = GifCost(b, size);
    else if (size >= 2 && b[0] == 0xFF && b[1] == 0xD8)
        found = JpegCost(b, size);
    else if (size >= 8 && memcmp(b, kPngSignature, 8) == 0)
        found = PngCost(b, size, inflater);
    else if (size >= 6 && Le16(b) == 0 && (Le16(b + 2) == 1 || Le16(b + 2) == 2))
        found = IconCost(b, size, inflater);
    if (found) found->decodeBytes += kFileCopies * size;
    return found;
}

} // namespace

bool PictureWithin(const void* data, size_t size, PictureBound bound, std::string* tooLarge) {
    if (tooLarge) tooLarge->clear();
    const auto* b = static_cast<const uint8_t*>(data);
    // The cheap walk first: PNG data is inflated only when all else fits.
    Found found = Walk(b, size, nullptr);
    if (!found || !Judge(*found, bound, tooLarge)) return false;
    if (!found->deflated) return true;
    Inflater inflater(MostDeflateBlocks(bound));
    found = Walk(b, size, &inflater);
    return found && Judge(*found, bound, tooLarge);
}

} // namespace qel
