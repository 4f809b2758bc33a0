// A device-independent bitmap: a BMP file's, or an icon's image.
#include "base/PictureCost.h"

#include <cstdlib>
#include <utility>

namespace qel::picture {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

// Rows of `width` pixels of `bits` each, padded to four bytes.
uint64_t Stride(int64_t width, unsigned bits) {
    return (uint64_t(width) * bits + 31) / 32 * 4;
}

// What an escape of RLE data does: it closes the run of pixels [from, to) of its
// row (none where they are equal), then goes `up` rows up or ends the data (`last`).
struct Escape {
    int64_t from, to, up;
    bool last;
};

// RLE data of a bitmap walked from escape to escape as the decoder reads it, from
// the bottom row up: pairs of a run of one value, or after a zero an escape (0:
// the line's end, 1: the picture's end, 2: a delta of two bytes, right and up)
// or, from 3, so many pixels from the data, padded to two bytes. Runs with no
// escape between them are one; pixels past a row's end are dropped, and a delta
// past it goes to it. The decoder stops at the picture's end, past the top row,
// or where the data ends, even mid-escape or mid-run.
class RleWalk {
public:
    RleWalk(const uint8_t* data, uint64_t size, int64_t width, int64_t height, unsigned depth)
        : data_(data), size_(size), width_(width), y_(height - 1), depth_(depth) {}

    Escape Next() {
        while (at_ + 1 < size_) {
            const uint8_t count = data_[at_], value = data_[at_ + 1];
            at_ += 2;
            if (count || value > 2) { // pixels
                const uint64_t bytes = count ? 0 : (value * depth_ + 7) / 8;
                if (bytes > size_ - at_) break;
                // The decoder keeps the padded size in a byte: after 255 bytes it
                // reads them again as pairs.
                at_ += (bytes + 1) & 0xFE;
                x_ = std::min<int64_t>(x_ + (count ? count : value), width_);
                continue;
            }
            Escape escape{left_, x_, 0, value == 1 || (value == 2 && at_ + 1 >= size_)};
            if (value == 0) {
                x_ = 0;
                escape.up = 1;
            } else if (!escape.last) {
                x_ = std::min<int64_t>(x_ + data_[at_], width_);
                escape.up = data_[at_ + 1];
                at_ += 2;
            }
            y_ -= escape.up;
            escape.last |= y_ < 0;
            left_ = x_;
            return escape;
        }
        return {x_, x_, 0, true};
    }

private:
    const uint8_t* data_;
    uint64_t size_, at_ = 0;
    int64_t width_, y_, x_ = 0, left_ = 0;
    unsigned depth_;
};

// Pixels [from, to) of a row, set by `closes` runs that escapes closed.
struct Span {
    int64_t from = 0, to = 0;
    uint64_t closes = 0;
};

// The row of RLE data that starts where a walk stands: the runs its escapes
// close, merged where they touch, up to the escape that leaves it.
class RleRow {
public:
    explicit RleRow(const RleWalk& walk) : walk_(walk) {}

    // The row's next span; false past its last.
    bool Next(Span* span) {
        while (!ended_) {
            const Escape escape = walk_.Next();
            ended_ = escape.up > 0 || escape.last;
            last_ = escape.last;
            if (escape.from == escape.to) continue;
            if (open_.closes && escape.from == open_.to) {
                open_.to = escape.to;
                ++open_.closes;
                continue;
            }
            *span = std::exchange(open_, Span{escape.from, escape.to, 1});
            if (span->closes) return true;
        }
        *span = std::exchange(open_, Span{});
        return span->closes > 0;
    }
    // Once the row has ended: the walk past it, and whether the data ended with it.
    const RleWalk& Walk() const { return walk_; }
    bool Last() const { return last_; }

private:
    RleWalk walk_;
    Span open_;
    bool ended_ = false, last_ = false;
};

// What the decoder does with RLE data: it adds each run an escape closes, a
// rectangle one row high, to a region of the pixels set, which it makes anew
// from all the region's rectangles. A region merges rectangles that touch in a
// row, and holds rows next to each other that have the same rectangles as one.
// So a closed run costs the rectangles of the rows below and those of its row
// so far (a row the same as the one below adds none once it ends). The rows
// are compared run by run, walking the row below again: the data is walked at
// most twice, and nothing is kept.
void RleCost(const uint8_t* data, uint64_t size, int64_t width, int64_t height, unsigned depth,
             Cost* cost) {
    RleWalk walk(data, size, width, height, depth);
    // The row below, where it holds runs. (A row a delta leaves is never the same
    // as the next: the next one's runs lie right of its own.)
    std::optional<RleRow> below;
    uint64_t rectangles = 0; // the region's, in the rows below
    for (;;) {
        RleRow row(walk);
        const RleRow start = row;
        bool same = below.has_value();
        uint64_t spans = 0;
        Span span, under;
        while (row.Next(&span)) {
            ++spans;
            cost->rleCloses += span.closes;
            cost->rleCopies += span.closes * (rectangles + spans);
            same = same && below->Next(&under) && under.from == span.from && under.to == span.to;
        }
        if (!same || below->Next(&under)) rectangles += spans;
        if (row.Last()) return;
        below.reset();
        if (spans) below.emplace(start);
        walk = row.Walk();
    }
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
        RleCost(b + bits, dataSize, width, height, depth, &cost);
        return cost;
    }
    default: // JPEG and PNG data are for printers; a screen bitmap cannot hold them
        return {};
    }
}

} // namespace qel::picture
