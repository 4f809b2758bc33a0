// Inside the picture check (see PictureHeader.h): what a decoder makes of a
// picture and what that costs it, the measured costs it is weighed by, and the
// walk of each format, which finds them.
#pragma once
#include "base/PictureHeader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace qel::picture {

// The measured costs, each with how it was measured (under Wine, on the loader
// the programs use, against the costliest real picture of the skin sheet's
// 4096 x 4096: 0.7-0.8 s of CPU and 320 MB).
//
// Memory. A bitmap is kept as 32-bit pixels, made through a copy of as many
// (BMP, icon); the file's bytes are there three times: the loader's, its
// stream's and the decoder's (a cursor's loader holds a fourth).
constexpr uint64_t kBitmapBytesPerPixel = 8;
constexpr uint64_t kFileCopies = 3;
// A decoder's work beside its samples and the bitmap it keeps: a 32-bit
// conversion; where pixels may be transparent, also a second 32-bit bitmap and
// two 1-bit masks.
constexpr uint64_t kWorkBits = 32, kTransparentWorkBits = 66;
//
// JPEG. A real progressive picture has about ten scans; over a real
// progressive one of four channels the scans cover 24 blocks a pixel block.
constexpr uint64_t kMaxScans = 500;
constexpr uint64_t kScanBlocksAPixelBlock = 24;
// An arithmetic decoder takes up to 32 binary decisions for a coefficient of a
// first pass (end of block, zero, sign, 15 for the magnitude's size and 14 for
// its bits) and 3 for a refinement, however few bits code them. It takes about
// 3.5 ns a decision it can foresee and some 8 ns more for each bit of coded
// data, so a byte of a scan's data counts as 24 decisions.
constexpr uint64_t kFirstPassDecisions = 32, kRefinementDecisions = 3, kDecisionsPerByte = 24;
// What twice the costliest real load leaves beside the rest of the costliest
// JPEG's grows as the bound's side: 1280 decisions a pixel block at 4096 a side,
// 640 at 8192. A real picture needs 3700 (4:2:0) to 8200 (4:4:4) a pixel block of
// its own, so one is taken up to 2400 or 1700 pixels a side at 4096.
constexpr uint64_t kDecisionsPerSideBlock = 655360;
//
// GIF. A real file has one or two extension blocks a frame. A clear code costs
// the decoder as much as some 30 pixels (it resets the code table): one code that
// makes no pixel for every 64 pixels a frame makes adds at most about half to
// what they cost, and 2^18 more in a file take it some 65 ms (room for small
// pictures of an encoder that clears every other code).
constexpr uint64_t kMaxExtensionBlocks = 8192;
constexpr uint64_t kIdleCodes = 1 << 18, kPixelsAnIdleCode = 64;
//
// PNG. The decoder keeps at most 1000 ancillary chunks and inflates each
// compressed one (text, a colour profile) up to 8 MB, twice when it makes less;
// compressed chunks making 64 MB took the costliest real PNG a fifth to a third
// more time to load, and no memory.
constexpr uint64_t kMaxAncillaryChunks = 1000;
// Real encoders write image data in chunks of 8 KB to 1 MB, at most 8192 in the
// largest file; a chunk costs the decoder under 1 us, 65536 of them some 40 ms.
constexpr uint64_t kMaxDataChunks = 1 << 16;
constexpr uint64_t kCompressedChunkInflated = 8 << 20;
constexpr uint64_t kMaxCompressedChunkBytes = 64 << 20;
// A real encoder ends a deflate block after thousands of bytes (zlib after
// 16383 symbols, each making a byte or more; a stored block holds 65535) or where
// it flushes: at a row's end at most, with the row's block and an empty one, and
// at the stream's end with the block of the last bytes, an empty block or two of
// a flush and the final block. A decoder walks every block, an empty one of 10
// bits or one of code tables it builds anew, in about 3 us, the time of some
// kilobytes of real data; so a stream holds at most those blocks and one for
// every 4 KB it makes. Bytes that make nothing lie in block headers, at most 560
// bytes each, and so are bounded with the blocks.
constexpr uint64_t kBytesABlock = 4096, kFlushBlocksARow = 2, kClosingBlocks = 4;
//
// BMP RLE. The decoder adds each run an escape closes, one row high, to a region
// of the pixels set, made anew from all its rectangles (see RleCost, DibCost.cpp);
// all else it does with runs and escapes costs less than reading the file. On
// 4096 x 4096 pictures, against one of no runs:
// 10485760 closes into a region of a rectangle a row took 1.3-1.7 s more (0.13-0.2 us each);
constexpr uint64_t kMaxRleCloses = 1 << 20;
// 65536 over 16384 rectangles took 1.6-2.5 s more (1.2-2 ns a rectangle copied), over 24576,
// 15 s: at most 0.3 s, and the region stays under 16384, as a close adds at most one.
constexpr uint64_t kMaxRleCopies = 1 << 27;

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

inline uint16_t Le16(const uint8_t* b) {
    uint16_t v;
    memcpy(&v, b, sizeof v);
    return v;
}
inline uint32_t Le32(const uint8_t* b) {
    uint32_t v;
    memcpy(&v, b, sizeof v);
    return v;
}
inline uint64_t Le64(const uint8_t* b) {
    uint64_t v;
    memcpy(&v, b, sizeof v);
    return v;
}
inline uint16_t Be16(const uint8_t* b) {
    return uint16_t(b[0] << 8 | b[1]);
}
inline uint32_t Be32(const uint8_t* b) {
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}
inline uint64_t CeilDiv(uint64_t a, uint64_t b) {
    return (a + b - 1) / b;
}

// The pixels of a picture of these sides; sides beyond any bound count as 2^20,
// so that every sum of costs stays far from overflowing.
inline uint64_t Area(int64_t width, int64_t height) {
    return uint64_t(std::clamp<int64_t>(width, 0, 1 << 20)) *
           uint64_t(std::clamp<int64_t>(height, 0, 1 << 20));
}

// What a decoder holds for `area` pixels it decodes to `bits` each: those, the
// larger of a copy of them and its work, and the 32-bit bitmap it keeps.
inline uint64_t DecodeBytes(uint64_t area, uint64_t bits, bool transparent) {
    return area * (bits + std::max(bits, transparent ? kTransparentWorkBits : kWorkBits) + 32) / 8;
}

// A bound the walk weighs itself, passed, in a refusal's words: what was found
// ("has ..."), and the bound, told after the name of the caller's bound ("a skin
// sheet" " has at most ..."), or none where what was found says it all.
struct Passed {
    std::string what, limit;
    explicit operator bool() const { return !what.empty(); }
};

// What a decoder makes of a picture and what that costs it: the canvas, the
// frames it keeps, the bytes it holds at its peak, and counts that drive its work.
struct Cost {
    int64_t width = 0, height = 0;
    uint64_t frames = 0, frameArea = 0; // a GIF's or an icon's images, and their pixels
    uint64_t decodeBytes = 0;
    uint64_t scans = 0, scanBlocks = 0;                // JPEG: blocks decoded over all scans
    uint64_t decisions = 0;                            // JPEG: arithmetic-coded, at most
    uint64_t extensionBlocks = 0;                      // GIF: extensions and their data blocks
    uint64_t ancillaryChunks = 0, compressedBytes = 0; // PNG: what its compressed ones make
    uint64_t dataChunks = 0;                           // PNG: the image data's
    uint64_t rleCloses = 0, rleCopies = 0; // BMP only: RLE runs closed, rectangles copied
    bool deflated = false;                 // PNG data: zlib streams, inflated once all else fits
    Passed passed;

    // A canvas of these sides, holding nothing yet.
    static Cost Canvas(int64_t width, int64_t height) {
        Cost cost;
        cost.width = width;
        cost.height = height;
        return cost;
    }
    // One image whose every pixel costs the decoder `bytesPerPixel`.
    static Cost Single(int64_t width, int64_t height, uint64_t bytesPerPixel) {
        Cost cost = Canvas(width, height);
        cost.frames = 1;
        cost.frameArea = Area(width, height);
        cost.decodeBytes = cost.frameArea * bytesPerPixel;
        return cost;
    }
    // The images of one file (an icon's) side by side.
    Cost& operator+=(const Cost& image) {
        width = std::max(width, image.width);
        height = std::max(height, image.height);
        frames += image.frames;
        frameArea += image.frameArea;
        decodeBytes += image.decodeBytes;
        scans += image.scans;
        scanBlocks += image.scanBlocks;
        decisions += image.decisions;
        extensionBlocks += image.extensionBlocks;
        ancillaryChunks += image.ancillaryChunks;
        compressedBytes += image.compressedBytes;
        dataChunks += image.dataChunks;
        deflated |= image.deflated;
        if (!passed) passed = image.passed;
        return *this;
    }
};
using Found = std::optional<Cost>; // none: broken

class Inflater;

// The walks, each over a whole file `b` of `size` bytes (a DIB's and a PNG's
// also over an icon's image), from its start to its end.
Found DibCost(const uint8_t* b, uint64_t size, uint64_t info, uint64_t bits, bool icon);
Found GifCost(const uint8_t* b, uint64_t size);
Found JpegCost(const uint8_t* b, uint64_t size);
Found PngCost(const uint8_t* b, uint64_t size, Inflater* inflater, unsigned leastBits = 0,
              uint64_t compressedBefore = 0);
Found IconCost(const uint8_t* b, uint64_t size, Inflater* inflater);

} // namespace qel::picture
