// A GIF, block by block, and its frames' LZW codes, decoded as far as the
// pixels each makes.
#include "base/PictureCost.h"

namespace qel::picture {
namespace {

// The bytes of the colour table that the flags byte `packed` announces.
uint64_t ColourTable(uint8_t packed) {
    return packed & 0x80 ? uint64_t(3) << ((packed & 7) + 1) : 0;
}

// A frame's LZW decoder, as much of it as tells the pixels: the length of each
// code's string in the table (a decoder keeps the strings), the width of the
// codes, which grows with the table, and the bits read ahead of the next code.
struct LzwDecoder {
    uint16_t lengths[4097];        // by code; first, not last, where bounds checks skip an array
    unsigned minimum, clear;       // the minimum code size; the clear code, the end code after it
    unsigned width = 0, limit = 0; // the codes' width, and the table size that widens them
    unsigned next = 0;             // the code the next code adds to the table
    uint64_t bits = 0;             // read ahead, the next code's lowest
    unsigned count = 0;            // how many of them

    explicit LzwDecoder(unsigned codeSize) : minimum(codeSize), clear(1u << codeSize) {
        std::fill(lengths, lengths + clear, uint16_t(1));
        Clear();
    }
    // The table back to the colours alone: the first code after it adds nothing.
    void Clear() {
        width = minimum + 1;
        limit = 2 * clear;
        next = clear + 1;
    }
    // The next code in the data block's bytes from `p` to `end`; -1 when they run out.
    // Eight bytes are read at once where the block has them, and as many whole ones
    // kept as fit; the bits above them are the next byte's own, read again later.
    int Read(const uint8_t*& p, const uint8_t* end) {
        while (count < width) {
            if (end - p >= 8) {
                bits |= Le64(p) << count;
                const unsigned kept = (63 - count) / 8;
                p += kept;
                count += 8 * kept;
            } else if (p < end) {
                bits |= uint64_t(*p++) << count;
                count += 8;
            } else {
                return -1;
            }
        }
        const unsigned code = bits & (limit - 1);
        bits >>= width;
        count -= width;
        return int(code);
    }
    // The pixels `code` makes, its string; the table grows by that string and one
    // more (until it holds 4096 codes), and its codes widen with it.
    unsigned Add(unsigned code) {
        if (next < 4096 && ++next == limit && limit < 4096) {
            limit *= 2;
            ++width;
        }
        lengths[next] = uint16_t(lengths[code] + 1);
        return lengths[code];
    }
};

// What a file's frames spent of its idle codes: those beyond each frame's own
// allowance, and once a frame passed its allowance, that allowance.
struct FileCodes {
    uint64_t beyond = 0, over = 0;
};

// The LZW codes of a frame of `area` pixels, walked through its data blocks from
// `at` (its minimum code size) past their end; false when they do not hold
// together (a code the table does not have, the file ending first). Idle codes,
// which make no pixel (clear and end codes, and once the frame is complete
// whatever data follows, counted in codes of the width then read), may be one
// for every 64 pixels the frame makes and what the file's bound has left; past
// that they end the decoding. Without `decode` the data blocks are only skipped.
bool FrameCodes(const uint8_t* b, uint64_t size, uint64_t& at, uint64_t area, bool decode,
                FileCodes& file) {
    const unsigned minimum = at < size ? b[at++] : 0;
    if (minimum < 2 || minimum > 8) return false;
    LzwDecoder lzw(minimum);
    uint64_t made = 0, idle = 0, after = 0; // pixels, idle codes, and the whole bytes after them
    const uint64_t left = kIdleCodes - file.beyond;
    uint64_t most = left + area / kPixelsAnIdleCode; // while the frame may make all its pixels
    bool ended = !decode, over = false;
    for (; at < size && b[at] != 0; at += 1 + b[at]) {
        if (b[at] > size - at - 1) return false;
        const uint8_t *p = b + at + 1, *end = p + b[at];
        for (int code; !ended && (code = lzw.Read(p, end)) >= 0;) {
            if (code == int(lzw.clear) || code == int(lzw.clear) + 1) {
                over = ++idle > most;
                ended = over || code != int(lzw.clear);
                if (code == int(lzw.clear)) lzw.Clear();
            } else if (code > int(lzw.next)) {
                return false;
            } else {
                ended = (made += lzw.Add(code)) >= area;
            }
        }
        if (ended) {
            after += end - p + lzw.count / 8;
            lzw.count = 0;
        }
    }
    if (at++ >= size) return false;
    if (decode && !over) {
        idle += after * 8 / lzw.width;
        most = left + made / kPixelsAnIdleCode;
        over = idle > most;
    }
    if (over)
        file.over = most;
    else
        file.beyond += idle - std::min(idle, made / kPixelsAnIdleCode);
    return true;
}

} // namespace

// Block by block to its trailer, or to its end where that follows a whole block
// and the file has a frame. The decoder's canvas covers the logical screen and
// every frame's extent, and it keeps every frame's pixels besides the canvas
// (its indices, their conversion and the 32-bit bitmap).
Found GifCost(const uint8_t* b, uint64_t size) {
    Cost cost = Cost::Canvas(Le16(b + 6), Le16(b + 8));
    bool transparent = false;
    FileCodes codes;
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
            const bool decode = !codes.over && cost.frameArea <= kMaxPictureArea;
            if (!FrameCodes(b, size, at, Area(width, height), decode, codes)) return {};
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
    if (codes.over)
        cost.passed = {"has a frame with more than " + std::to_string(codes.over) +
                           " codes that make no pixel",
                       " has at most one for every " + std::to_string(kPixelsAnIdleCode) +
                           " pixels a frame makes, and " + std::to_string(kIdleCodes) +
                           " more in all"};
    cost.decodeBytes = cost.frameArea + DecodeBytes(Area(cost.width, cost.height), 0, transparent);
    return cost;
}

} // namespace qel::picture
