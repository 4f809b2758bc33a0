// A JPEG, segment by segment: its frame header, and each scan's header and
// entropy-coded data.
#include "base/PictureCost.h"

namespace qel::picture {
namespace {

struct Component {
    uint8_t id, h, v; // and its sampling, across and down
};

// What a frame header says: the picture's sides, its components and how its
// scans are coded.
struct Frame {
    int64_t width = 0, height = 0;
    Component parts[4];
    unsigned count = 0, hMax = 1, vMax = 1;
    bool progressive = false, arithmetic = false;

    // The blocks of `c` in whole MCUs, which a scan of several components covers.
    uint64_t McuBlocks(const Component& c) const {
        return CeilDiv(width, 8 * hMax) * c.h * CeilDiv(height, 8 * vMax) * c.v;
    }
    // The blocks of `c` in the picture, which a scan of it alone covers.
    uint64_t OwnBlocks(const Component& c) const {
        return CeilDiv(CeilDiv(width * c.h, hMax), 8) * CeilDiv(CeilDiv(height * c.v, vMax), 8);
    }
};

bool IsFrameHeader(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Reads the frame header `s` of `length` bytes that `marker` starts into the
// file's one `frame`: a baseline, extended or progressive frame of 8-bit samples,
// Huffman or arithmetic coded, of 1 to 4 components; false for any other.
bool ReadFrame(uint8_t marker, const uint8_t* s, uint64_t length, Frame& frame) {
    if (frame.count || (marker & 3) == 3 || (marker & 4) || length < 6 || s[0] != 8) return false;
    frame.progressive = marker == 0xC2 || marker == 0xCA;
    frame.arithmetic = marker > 0xC8;
    frame.width = Be16(s + 3);
    frame.height = Be16(s + 1);
    frame.count = s[5];
    if (frame.count < 1 || frame.count > 4 || length != 6 + 3 * frame.count || frame.width == 0 ||
        frame.height == 0)
        return false;
    for (unsigned i = 0; i < frame.count; ++i) {
        const uint8_t* field = s + 6 + 3 * i;
        Component& c = frame.parts[i] = {field[0], uint8_t(field[1] >> 4), uint8_t(field[1] & 15)};
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4) return false;
        frame.hMax = std::max<unsigned>(frame.hMax, c.h);
        frame.vMax = std::max<unsigned>(frame.vMax, c.v);
    }
    return true;
}

// What a scan makes the decoder do: the blocks it decodes, and the coefficients
// of each it decodes, in a first pass or refined.
struct Scan {
    uint64_t blocks = 0, band = 64;
    bool refinement = false;
};

// Reads the scan header `s` of `length` bytes: components of the frame, and in
// a progressive frame a band of coefficients that lies in the block.
std::optional<Scan> ReadScan(const uint8_t* s, uint64_t length, const Frame& frame) {
    const unsigned inScan = length ? s[0] : 0;
    if (!frame.count || inScan < 1 || inScan > 4 || length != 4 + 2 * inScan) return {};
    Scan scan;
    if (frame.progressive) {
        const unsigned first = s[1 + 2 * inScan], last = s[2 + 2 * inScan];
        if (first > last || last > 63) return {};
        scan.band = last - first + 1;
        scan.refinement = s[3 + 2 * inScan] >> 4;
    }
    const Component* const end = frame.parts + frame.count;
    for (unsigned j = 0; j < inScan; ++j) {
        const Component* c = std::find_if(frame.parts, end,
                                          [&](const Component& p) { return p.id == s[1 + 2 * j]; });
        if (c == end) return {};
        scan.blocks += inScan == 1 ? frame.OwnBlocks(*c) : frame.McuBlocks(*c);
    }
    return scan;
}

// Where the entropy-coded data from `at` ends: at the next marker, for stuffed
// zeros and restart markers are data; 0 when the file ends first.
uint64_t EntropyEnd(const uint8_t* b, uint64_t size, uint64_t at) {
    for (;; at += 2) {
        const void* ff = at < size ? memchr(b + at, 0xFF, size - at) : nullptr;
        if (!ff) return 0;
        at = static_cast<const uint8_t*>(ff) - b;
        if (at + 1 >= size) return 0;
        if (b[at + 1] != 0x00 && (b[at + 1] < 0xD0 || b[at + 1] > 0xD7)) return at;
    }
}

// What the decoder holds: a byte a sample, and for several scans every block's
// coefficients besides while it decodes.
uint64_t JpegBytes(const Frame& frame, const Cost& cost) {
    const uint64_t samples = frame.count == 1 ? 1 : frame.count == 4 ? 4 : 3;
    uint64_t bytes = DecodeBytes(cost.frameArea, 8 * samples, false);
    if (frame.progressive || cost.scans > 1) {
        uint64_t blocks = 0;
        for (unsigned i = 0; i < frame.count; ++i)
            blocks += frame.McuBlocks(frame.parts[i]);
        bytes = std::max(bytes, blocks * 64 * 2 + cost.frameArea * samples);
    }
    return bytes;
}

} // namespace

// Segment by segment to its end: one frame header before the first scan, and
// every scan's entropy-coded data up to the marker after it.
Found JpegCost(const uint8_t* b, uint64_t size) {
    Frame frame;
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
        if (IsFrameHeader(marker)) {
            if (!ReadFrame(marker, s, length, frame)) return {};
            cost = Cost::Single(frame.width, frame.height, 0);
        } else if (marker == 0xDA) {
            const std::optional<Scan> scan = ReadScan(s, length, frame);
            const uint64_t data = at;
            at = scan ? EntropyEnd(b, size, data) : 0;
            if (!at) return {};
            ++cost.scans;
            cost.scanBlocks += scan->blocks;
            if (frame.arithmetic)
                cost.decisions +=
                    scan->blocks * scan->band *
                        (scan->refinement ? kRefinementDecisions : kFirstPassDecisions) +
                    kDecisionsPerByte * (at - data);
        }
    }
    if (!cost.scans) return {};
    cost.decodeBytes = JpegBytes(frame, cost);
    return cost;
}

} // namespace qel::picture
