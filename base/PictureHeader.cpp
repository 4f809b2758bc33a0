#include "base/PictureHeader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <zlib.h>

namespace qel {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// What drives a decoder's work beyond the pixels, and the most a picture may
// have of it. A real progressive JPEG has about ten scans; a real GIF one or two
// extension blocks a frame; the PNG decoder keeps at most 1000 ancillary chunks
// and inflates each compressed one (text, a colour profile) up to 8 MB, twice
// when it makes less. Compressed chunks making 64 MB took the costliest real PNG
// of a skin sheet's bound a fifth to a third more time to load, and no memory.
constexpr uint64_t kMaxScans = 500;
constexpr uint64_t kMaxExtensionBlocks = 8192;
constexpr uint64_t kMaxAncillaryChunks = 1000;
// An arithmetic decoder decodes each coefficient of a first pass (a sequential
// scan's, or a progressive one's first bits) in up to 32 binary decisions (end of
// block, zero, sign, up to 15 for the magnitude's size and 14 for its bits), each
// refinement in up to 3, however few bits they were coded in. The platform's
// decoder takes about 3.5 ns a decision it can foresee and some 8 ns more for
// each bit of coded data (a decision it cannot), so a byte of a scan's data counts
// as 24 decisions. What twice the costliest real picture's load leaves beside the
// rest of the costliest JPEG's grows about as the bound's side, not its area: a
// picture may need 655360 decisions for each block of the bound's side, 1280 a
// pixel block at the skin sheet's 4096 and 640 at the widest (8192 x 8192). A
// real one's scans need some 3700 (4:2:0) to 8200 (4:4:4) a pixel block of its
// own, so it is taken up to 2400 or 1700 pixels a side at the skin sheet's bound.
constexpr uint64_t kFirstPassDecisions = 32, kRefinementDecisions = 3, kDecisionsPerByte = 24;
constexpr uint64_t kDecisionsPerSideBlock = 655360;
// A GIF frame's LZW codes make its pixels; a clear code costs the decoder as much
// as some 30 pixels (it resets the code table). A file has at most 2^18 codes
// that make no pixel (some 65 ms of the decoder's work: room for small pictures of
// an encoder that clears every other code) and one more for every 64 pixels its
// frames make, which adds at most about half to what those pixels cost.
constexpr uint64_t kIdleCodes = 1 << 18, kPixelsAnIdleCode = 64;
constexpr uint64_t kCompressedChunkInflated = 8 << 20;
constexpr uint64_t kMaxCompressedChunkBytes = 64 << 20;

uint32_t Le32(const uint8_t* b) {
    uint32_t v;
    memcpy(&v, b, sizeof v);
    return v;
}
uint64_t Le64(const uint8_t* b) {
    uint64_t v;
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
uint64_t CeilDiv(uint64_t a, uint64_t b) {
    return (a + b - 1) / b;
}

// The pixels of a picture of these sides; sides beyond any bound count as 2^20,
// so that every sum of costs stays far from overflowing.
uint64_t Area(int64_t width, int64_t height) {
    return uint64_t(std::clamp<int64_t>(width, 0, 1 << 20)) *
           uint64_t(std::clamp<int64_t>(height, 0, 1 << 20));
}

// What a decoder makes of a picture and what that costs it: the canvas, the
// frames it keeps, the bytes it holds at its peak, and counts that drive its work.
struct Cost {
    int64_t width = 0, height = 0;
    uint64_t frames = 0, frameArea = 0; // a GIF's or an icon's images, and their pixels
    uint64_t decodeBytes = 0;
    uint64_t scans = 0, scanBlocks = 0;                // JPEG: blocks decoded over all scans
    uint64_t decisions = 0;                            // JPEG: arithmetic-coded, at most
    uint64_t extensionBlocks = 0;                      // GIF: extensions and their data blocks
    uint64_t idleCodesOver = 0;                        // GIF: the bound of idle codes, passed
    uint64_t ancillaryChunks = 0, compressedBytes = 0; // PNG: what its compressed ones make
    bool deflated = false; // PNG data: zlib streams, inflated once all else fits

    // One image whose every pixel costs the decoder `bytesPerPixel`.
    static Cost Single(int64_t width, int64_t height, uint64_t bytesPerPixel) {
        Cost cost{width, height, 1, Area(width, height)};
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
        deflated |= image.deflated;
        return *this;
    }
};
using Found = std::optional<Cost>; // none: broken

// What the platform holds to load a picture, as measured for each kind. A bitmap
// is kept as 32-bit pixels, made through a copy of as many (BMP, icon). The file's
// bytes are there three times: the loader's, its stream's and the decoder's.
constexpr uint64_t kBitmapBytesPerPixel = 8;
constexpr uint64_t kFileCopies = 3;

// What a decoder holds for `area` pixels it decodes to `bits` each: those, the
// larger of a copy of them and its work (a 32-bit conversion; where pixels may be
// transparent, also a second 32-bit bitmap and two 1-bit masks), and the 32-bit
// bitmap it keeps.
uint64_t DecodeBytes(uint64_t area, uint64_t bits, bool transparent) {
    return area * (bits + std::max<uint64_t>(bits, transparent ? 66 : 32) + 32) / 8;
}

// Inflates zlib streams one after another, counting the bytes each makes and
// keeping none of them: zlib's state and window (about 40 KB, allocated once)
// and one small output buffer, reused.
class Inflater {
public:
    Inflater() : ready_(inflateInit(&z_) == Z_OK) {}
    ~Inflater() {
        if (ready_) inflateEnd(&z_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Starts the next stream, which is to make at most `most` bytes in `rows` rows.
    void Start(uint64_t most, uint64_t rows = 0) {
        ready_ = ready_ && inflateReset(&z_) == Z_OK;
        made_ = 0;
        most_ = most;
        endsAfterMost_ = 0;
        ended_ = false;
        flushBlocks_ += 2 * rows + 4;
    }
    // Inflates the stream's next `size` bytes, block by block, and stops once it
    // has made more than `most`. False when the stream is broken or goes on after
    // its end, when it goes on after making `most` bytes with more than an
    // encoder's closing blocks, or when the streams so far hold far more blocks
    // than what they make calls for.
    bool Feed(const uint8_t* in, uint64_t size) {
        while (size > 0 && made_ <= most_) {
            // A real encoder ends a block after thousands of bytes (zlib after 16383
            // symbols at its default memory level, each making a byte or more;
            // stored blocks hold 65535 bytes) or where it flushes: at the end of a
            // row at most, with an empty block, and at the stream's end. Blocks
            // beyond those and one for every 4 KB made make little or nothing, and
            // a decoder walks each: an empty one of 10 bits, or one of code tables
            // it builds anew, in about 3 us, the time of some kilobytes of real
            // data. Bytes that make nothing lie in block headers, at most 560 bytes
            // each, and so are bounded with the blocks.
            if (!ready_ || ended_ || allBlocks_ > allMade_ / 4096 + flushBlocks_) return false;
            const auto given = uInt(std::min<uint64_t>(size, 1u << 30));
            z_.next_in = const_cast<Bytef*>(in);
            z_.avail_in = given;
            z_.next_out = out_;
            z_.avail_out = sizeof out_;
            const int result = inflate(&z_, Z_BLOCK);
            const uint64_t taken = given - z_.avail_in, made = sizeof out_ - z_.avail_out;
            in += taken;
            size -= taken;
            made_ += made;
            allMade_ += made;
            ended_ = result == Z_STREAM_END;
            if (result != Z_OK && !ended_) return false;
            if (!(z_.data_type & 128)) continue; // not at the end of a block
            ++allBlocks_;
            // Once it has made `most`, an encoder ends its stream: the block of
            // the last bytes, an empty block or two of a flush, the final block.
            if (made_ == most_ && ++endsAfterMost_ > 4) return false;
        }
        return true;
    }
    uint64_t Made() const { return made_; }

private:
    z_stream z_{};
    bool ready_;
    uint64_t made_ = 0, most_ = 0, endsAfterMost_ = 0;
    bool ended_ = false;
    uint64_t allMade_ = 0, allBlocks_ = 0, flushBlocks_ = 0; // over every stream
    uint8_t out_[1 << 14];
};

// A PNG's image data before compression: its rows, and their bytes (each row's
// filter byte and its pixels of `bits` each, rounded up to bytes); an interlaced
// picture's rows are those of its seven passes, of which an empty one has none.
struct PngRows {
    uint64_t count = 0, bytes = 0;
};
PngRows PngRowsOf(int64_t width, int64_t height, unsigned bits, bool interlaced) {
    struct Pass {
        int64_t left, top, across, down;
    };
    static constexpr Pass kPasses[] = {{0, 0, 1, 1}, // not interlaced
                                       {0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                       {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    PngRows all;
    for (const Pass& p : interlaced ? std::span(kPasses + 1, 7) : std::span(kPasses, 1)) {
        const uint64_t columns = CeilDiv(std::max<int64_t>(width - p.left, 0), p.across),
                       rows = columns ? CeilDiv(std::max<int64_t>(height - p.top, 0), p.down) : 0;
        all.count += rows;
        all.bytes += rows * (1 + CeilDiv(columns * bits, 8));
    }
    return all;
}

// Where the zlib stream of a compressed ancillary chunk (zTXt, iCCP, an iTXt
// whose compression flag is set) starts in its `data`, after the text fields and
// the method; 0 for a chunk of another kind, and beyond `length` for one whose
// fields run past its end.
uint64_t ZlibStart(const uint8_t* type, const uint8_t* data, uint64_t length) {
    auto pastText = [&](uint64_t at) { // past the zero that ends the text at `at`
        const void* zero = at < length ? memchr(data + at, 0, length - at) : nullptr;
        return zero ? static_cast<const uint8_t*>(zero) - data + 1 : length + 1;
    };
    if (memcmp(type, "zTXt", 4) == 0 || memcmp(type, "iCCP", 4) == 0) return pastText(0) + 1;
    if (memcmp(type, "iTXt", 4) != 0) return 0;
    const uint64_t flag = pastText(0); // then the method, the language and the translated keyword
    if (flag + 2 > length) return length + 1;
    return data[flag] ? pastText(pastText(flag + 2)) : 0;
}

// A PNG, chunk by chunk from its header chunk to its end chunk, its image data
// one run of chunks. The decoder makes rows of at least `leastBits` a pixel (an
// icon's loader: 32), and adds alpha to grey and alpha, to RGB and to 16-bit grey
// given a transparent colour (tRNS). With an `inflater`, its zlib streams are
// inflated too: the image data's may make no more than the rows need and must
// end there, and compressed chunks count what the decoder inflates of them,
// within the budget of `compressedBefore` made by earlier pictures of the file.
Found PngCost(const uint8_t* b, uint64_t size, Inflater* inflater, unsigned leastBits = 0,
              uint64_t compressedBefore = 0) {
    if (size < 33 || memcmp(b, kPngSignature, 8) != 0 || Be32(b + 8) != 13 ||
        memcmp(b + 12, "IHDR", 4) != 0)
        return {};
    const unsigned depth = b[24], colour = b[25];
    // Samples a pixel has by colour type: grey, -, RGB, palette, grey and alpha, -, RGBA.
    constexpr unsigned kSamples[] = {1, 0, 3, 1, 2, 0, 4};
    const bool depthFits =
        depth == 8 || (depth == 16 && colour != 3) ||
        ((depth == 1 || depth == 2 || depth == 4) && (colour == 0 || colour == 3));
    if (colour > 6 || kSamples[colour] == 0 || !depthFits || b[28] > 1) return {};
    Cost cost = Cost::Single(Be32(b + 16), Be32(b + 20), 0);
    cost.deflated = true;
    const PngRows rows =
        PngRowsOf(std::min<int64_t>(cost.width, 1 << 20), std::min<int64_t>(cost.height, 1 << 20),
                  kSamples[colour] * depth, b[28] == 1);
    bool data = false, dataDone = false, transparent = colour >= 4;
    for (uint64_t at = 33;;) {
        // Past the budget of compressed chunks the verdict is known: nothing more is inflated.
        if (compressedBefore + cost.compressedBytes > kMaxCompressedChunkBytes) return cost;
        if (size - at < 12 || Be32(b + at) > size - at - 12) return {}; // cut short
        const uint8_t *type = b + at + 4, *body = b + at + 8;
        const uint64_t length = Be32(b + at);
        at += 12 + length;
        if (memcmp(type, "IEND", 4) == 0) {
            const bool rgba = colour == 4 || (transparent && (colour == 2 || depth == 16));
            cost.decodeBytes = DecodeBytes(
                cost.frameArea, std::max(leastBits, depth * (rgba ? 4 : kSamples[colour])),
                transparent);
            return data ? Found(cost) : Found();
        }
        if (memcmp(type, "IHDR", 4) == 0) return {};
        transparent |= memcmp(type, "tRNS", 4) == 0;
        if (memcmp(type, "IDAT", 4) == 0) {
            if (dataDone) return {};
            if (inflater && !data) inflater->Start(rows.bytes, rows.count);
            data = true;
            // A stream that makes fewer bytes than the rows need is drawn as far as it goes.
            if (inflater && (!inflater->Feed(body, length) || inflater->Made() > rows.bytes))
                return {};
            continue;
        }
        dataDone = data;
        if (!(type[0] & 0x20)) continue; // critical
        ++cost.ancillaryChunks;
        const uint64_t start = inflater ? ZlibStart(type, body, length) : 0;
        if (start > length) return {};
        if (start == 0) continue;
        inflater->Start(
            std::min(kCompressedChunkInflated,
                     kMaxCompressedChunkBytes - compressedBefore - cost.compressedBytes));
        if (!inflater->Feed(body + start, length - start)) return {};
        cost.compressedBytes += std::min(inflater->Made(), kCompressedChunkInflated);
    }
}

// A JPEG, segment by segment to its end: one frame header (of a kind the decoder
// reads) before the first scan, and every scan's entropy-coded data up to the
// marker after it. The decoder makes a byte a sample; for several scans it holds
// every block's coefficients besides while it decodes.
Found JpegCost(const uint8_t* b, uint64_t size) {
    struct Component {
        uint8_t id, h, v;
    } parts[4];
    unsigned count = 0, hMax = 1, vMax = 1;
    bool progressive = false, arithmetic = false;
    Cost cost;
    for (uint64_t at = 2;;) {
        if (at >= size || b[at] != 0xFF) return {};
        while (at < size && b[at] == 0xFF) // and fill bytes
            ++at;
        if (at >= size) return {};
        const uint8_t marker = b[at++];
        if (marker == 0xD9) break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue; // no segment
        if (marker == 0x00 || marker == 0xD8 || size - at < 2 || Be16(b + at) < 2 ||
            Be16(b + at) > size - at)
            return {};
        const uint8_t* s = b + at + 2;
        const uint64_t length = Be16(b + at) - 2;
        at += 2 + length;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            progressive = marker == 0xC2 || marker == 0xCA;
            arithmetic = marker > 0xC8;
            // Baseline, extended and progressive frames, Huffman or arithmetic coded.
            if (count || (marker & 3) == 3 || (marker & 4) || length < 6 || s[0] != 8) return {};
            cost = Cost::Single(Be16(s + 3), Be16(s + 1), 0);
            count = s[5];
            if (count < 1 || count > 4 || length != 6 + 3 * count || cost.width == 0 ||
                cost.height == 0)
                return {};
            for (unsigned i = 0; i < count; ++i) {
                parts[i] = {s[6 + 3 * i], uint8_t(s[7 + 3 * i] >> 4), uint8_t(s[7 + 3 * i] & 15)};
                if (parts[i].h < 1 || parts[i].h > 4 || parts[i].v < 1 || parts[i].v > 4) return {};
                hMax = std::max<unsigned>(hMax, parts[i].h);
                vMax = std::max<unsigned>(vMax, parts[i].v);
            }
        } else if (marker == 0xDA) { // a scan
            const unsigned inScan = length ? s[0] : 0;
            if (!count || inScan < 1 || inScan > 4 || length != 4 + 2 * inScan) return {};
            // The coefficients it decodes in each block: a sequential scan all 64, a
            // progressive one its band, which lies in the block.
            const unsigned first = s[1 + 2 * inScan], last = s[2 + 2 * inScan];
            if (progressive && (first > last || last > 63)) return {};
            const uint64_t band = progressive ? last - first + 1 : 64;
            const bool refinement = progressive && s[3 + 2 * inScan] >> 4;
            ++cost.scans;
            uint64_t blocks = 0;
            for (unsigned j = 0; j < inScan; ++j) {
                const Component* c = std::find_if(
                    parts, parts + count, [&](const Component& p) { return p.id == s[1 + 2 * j]; });
                if (c == parts + count) return {};
                // A scan of one component covers its own blocks, others whole MCUs.
                blocks += inScan == 1 ? CeilDiv(CeilDiv(cost.width * c->h, hMax), 8) *
                                            CeilDiv(CeilDiv(cost.height * c->v, vMax), 8)
                                      : CeilDiv(cost.width, 8 * hMax) * c->h *
                                            CeilDiv(cost.height, 8 * vMax) * c->v;
            }
            cost.scanBlocks += blocks;
            // Up to the next marker; stuffed zeros and restart markers are data.
            const uint64_t data = at;
            for (;; at += 2) {
                const void* ff = at < size ? memchr(b + at, 0xFF, size - at) : nullptr;
                if (!ff) return {};
                at = static_cast<const uint8_t*>(ff) - b;
                if (at + 1 >= size) return {};
                if (b[at + 1] != 0x00 && (b[at + 1] < 0xD0 || b[at + 1] > 0xD7)) break;
            }
            if (arithmetic)
                cost.decisions +=
                    blocks * band * (refinement ? kRefinementDecisions : kFirstPassDecisions) +
                    kDecisionsPerByte * (at - data);
        }
    }
    if (!cost.scans) return {};
    const uint64_t samples = count == 1 ? 1 : count == 4 ? 4 : 3;
    cost.decodeBytes = DecodeBytes(cost.frameArea, 8 * samples, false);
    if (progressive || cost.scans > 1) {
        uint64_t blocks = 0;
        for (unsigned i = 0; i < count; ++i)
            blocks += CeilDiv(cost.width, 8 * hMax) * parts[i].h * CeilDiv(cost.height, 8 * vMax) *
                      parts[i].v;
        cost.decodeBytes = std::max(cost.decodeBytes, blocks * 128 + cost.frameArea * samples);
    }
    return cost;
}

// Rows of `width` pixels of `bits` each, padded to four bytes.
uint64_t Stride(int64_t width, unsigned bits) {
    return (uint64_t(width) * bits + 31) / 32 * 4;
}

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
    const Cost cost = Cost::Single(width, height, kBitmapBytesPerPixel);
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
    case kRle4:
        return depth == (compression == kRle8 ? 8u : 4u) && dataSize != 0 && bits + dataSize <= size
                   ? Found(cost)
                   : Found();
    default: // JPEG and PNG data are for printers; a screen bitmap cannot hold them
        return {};
    }
}

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
    }
    return all;
}

// The bytes of the colour table that the flags byte `packed` announces.
uint64_t ColourTable(uint8_t packed) {
    return packed & 0x80 ? uint64_t(3) << ((packed & 7) + 1) : 0;
}

// The LZW codes of a frame of `area` pixels, walked through its data blocks from
// `at` (its minimum code size) past their end; false when they do not hold
// together (a code the table does not have, the file ending first). Each code's
// width follows from the codes since the last clear code, as the decoder's table
// grows, and each makes as many pixels as its string is long. Idle codes, which
// make no pixel (clear and end codes, and once the frame is complete whatever
// data follows, counted in codes of the width then read), add to `idle` and the
// pixels to `made`, the counts of the file's frames so far; past the file's bound
// they set `idleOver` to that bound and end the decoding. Without `decode` the
// data blocks are only skipped.
bool FrameCodes(const uint8_t* b, uint64_t size, uint64_t& at, uint64_t area, bool decode,
                uint64_t& idle, uint64_t& made, uint64_t& idleOver) {
    const unsigned minimum = at < size ? b[at++] : 0;
    if (minimum < 2 || minimum > 8) return false;
    const unsigned clear = 1u << minimum;
    // The lengths of the strings of the table's codes up to `next`, the one the
    // next code adds (the string of the code before it and one more). After a
    // clear code the table has only the colours: the first code adds nothing.
    uint16_t lengths[4097];
    std::fill(lengths, lengths + clear, uint16_t(1));
    unsigned width = minimum + 1, limit = 2 * clear, next = clear + 1, count = 0;
    uint64_t bits = 0, after = 0, frameMade = 0;
    uint64_t most = kIdleCodes + (made + area) / kPixelsAnIdleCode;
    bool ended = !decode, over = false;
    for (; at < size && b[at] != 0; at += 1 + b[at]) {
        if (b[at] > size - at - 1) return false;
        const uint8_t *p = b + at + 1, *end = p + b[at];
        while (!ended) {
            if (count < width) { // eight bytes at once inside the block, else one
                if (end - p >= 8) {
                    bits |= Le64(p) << count;
                    p += (63 - count) >> 3;
                    count |= 56;
                } else if (p < end) {
                    bits |= uint64_t(*p++) << count;
                    count += 8;
                    continue;
                } else {
                    break;
                }
            }
            const unsigned code = bits & (limit - 1);
            bits >>= width;
            count -= width;
            if (code >= clear) {
                if (code <= clear + 1) { // a clear code or the end code
                    ended = (over = ++idle > most) || code != clear;
                    if (code == clear) width = minimum + 1, limit = 2 * clear, next = clear + 1;
                    continue;
                }
                if (code > next) return false;
            }
            if (next < 4096 && ++next == limit && limit < 4096) limit *= 2, ++width;
            lengths[next] = uint16_t(lengths[code] + 1);
            ended = (frameMade += lengths[code]) >= area;
        }
        if (ended) after += end - p + count / 8, count = 0; // the whole bytes not read
    }
    if (at++ >= size) return false;
    made += frameMade;
    if (decode && !over) {
        idle += after * 8 / width;
        most = kIdleCodes + made / kPixelsAnIdleCode;
        over = idle > most;
    }
    if (over) idleOver = most;
    return true;
}

// A GIF, block by block to its trailer, or to its end where that follows a whole
// block and the file has a frame. The decoder's canvas covers the logical screen
// and every frame's extent, and it keeps every frame's pixels besides the canvas
// (its indices, their conversion and the 32-bit bitmap).
Found GifCost(const uint8_t* b, uint64_t size) {
    Cost cost{Le16(b + 6), Le16(b + 8)};
    bool transparent = false;
    uint64_t idle = 0, made = 0; // over all frames
    for (uint64_t at = 13 + ColourTable(b[10]);;) {
        if (at >= size) {
            if (at == size && cost.frames) break;
            return {};
        }
        const uint8_t block = b[at++];
        if (block == 0x3B) break; // the trailer
        if (block == 0x2C) {      // a frame: left, top, width, height, flags, table, codes
            if (size - at < 10) return {};
            const int64_t width = Le16(b + at + 4), height = Le16(b + at + 6);
            cost.width = std::max<int64_t>(cost.width, Le16(b + at) + width);
            cost.height = std::max<int64_t>(cost.height, Le16(b + at + 2) + height);
            ++cost.frames;
            cost.frameArea += Area(width, height);
            at += 9 + ColourTable(b[at + 8]);
            // Codes are decoded as long as the picture may yet be taken.
            const bool decode = !cost.idleCodesOver && cost.frameArea <= kMaxPictureArea;
            if (!FrameCodes(b, size, at, Area(width, height), decode, idle, made,
                            cost.idleCodesOver))
                return {};
        } else if (block == 0x21) { // an extension: its label, then its data blocks
            transparent |= at + 2 < size && b[at] == 0xF9 && (b[at + 2] & 1);
            ++at;
            for (cost.extensionBlocks += 1; at < size && b[at] != 0; ++cost.extensionBlocks)
                at += 1 + b[at];
            if (at++ >= size) return {};
        } else {
            return {}; // a block of no known kind
        }
    }
    cost.decodeBytes = cost.frameArea + DecodeBytes(Area(cost.width, cost.height), 0, transparent);
    return cost;
}

bool Judge(const Cost& found, PictureBound bound, std::string* tooLarge) {
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
    // The decoder's memory and work, against those of the largest picture the bound takes.
    const uint64_t area = std::min(uint64_t(bound.side) * uint64_t(bound.side), kMaxPictureArea);
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
        // As many as a real progressive picture of four channels at the bound: 24 a pixel block.
        {found.scanBlocks, 24 * blocks, 1, "has", " blocks in its scans"},
        {found.decisions, kDecisionsPerSideBlock * sideBlocks, 1, "needs",
         " arithmetic-coded decisions"},
        {found.extensionBlocks, kMaxExtensionBlocks, 1, "has", " blocks in its extensions"},
        {found.ancillaryChunks, kMaxAncillaryChunks, 1, "has", " ancillary chunks"},
        {found.compressedBytes, kMaxCompressedChunkBytes, kMB, "makes", " MB in compressed chunks"},
    };
    for (const auto& count : counts)
        if (count.found > count.most)
            return refuse(count.verb + (" " + std::to_string(CeilDiv(count.found, count.unit))) +
                              count.what,
                          std::string(" ") + count.verb + " at most " +
                              std::to_string(count.most / count.unit) + count.what);
    if (found.idleCodesOver)
        return refuse("has more than " + std::to_string(found.idleCodesOver) +
                          " codes that make no pixel",
                      " has at most " + std::to_string(kIdleCodes) + " and one more for every " +
                          std::to_string(kPixelsAnIdleCode) + " pixels its frames make");
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
    Inflater inflater;
    found = Walk(b, size, &inflater);
    return found && Judge(*found, bound, tooLarge);
}

} // namespace qel
