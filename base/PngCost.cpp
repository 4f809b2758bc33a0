// A PNG, chunk by chunk, its zlib streams inflated once all else fits.
#include "base/Inflater.h"
#include "base/PictureCost.h"

#include <span>

namespace qel::picture {
namespace {

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

// What a stream that stopped in `state` passed; nothing when it passed
// nothing. The image data's rows (`rows`) need their bytes and no more; a
// compressed chunk's stream (no `rows`) makes what it makes.
Passed StreamPassed(Inflater::State state, const Inflater& inflater, const PngRows* rows) {
    using State = Inflater::State;
    using std::to_string;
    const std::string need = rows ? to_string(rows->bytes) + " bytes its rows need" : "";
    if (rows && state == State::kOverMost)
        return {"has image data that makes more than the " + need, {}};
    if (rows && state == State::kOnAfterMost)
        return {"has image data that goes on after the " + need, {}};
    if (state == State::kAllBlocks)
        return {"has more than " + to_string(inflater.MostBlocks()) +
                    " deflate blocks in its zlib streams",
                " has at most " + to_string(inflater.MostBlocks())};
    if (state != State::kBlockFlood) return {};
    const std::string found = " holding more than " + to_string(inflater.BlocksAllowed()) +
                              " deflate blocks for " +
                              to_string(rows ? rows->bytes : inflater.Made()) + " bytes";
    const std::string most = " at most " + to_string(kClosingBlocks) +
                             (rows ? ", " + to_string(kFlushBlocksARow) + " for each row" : "") +
                             " and one for every " + to_string(kBytesABlock) + " bytes ";
    if (!rows)
        return {"has a compressed chunk" + found, "'s compressed chunks hold" + most + "they make"};
    return {"has image data" + found + " in " + to_string(rows->count) +
                (rows->count == 1 ? " row" : " rows"),
            "'s image data holds" + most + "it makes"};
}

} // namespace

// A PNG, chunk by chunk from its header chunk to its end chunk, its image data
// one run of chunks. The decoder makes rows of at least `leastBits` a pixel (an
// icon's loader: 32), and adds alpha to grey and alpha, to RGB and to 16-bit grey
// given a transparent colour (tRNS). With an `inflater`, its zlib streams are
// inflated too: the image data's may make no more than the rows need, and what
// follows its end is not read; compressed chunks count what the decoder inflates
// of them up to their end or fault, within the budget of `compressedBefore` made
// by earlier pictures of the file.
Found PngCost(const uint8_t* b, uint64_t size, Inflater* inflater, unsigned leastBits,
              uint64_t compressedBefore) {
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
            ++cost.dataChunks;
            if (inflater && !data) inflater->Start(rows.bytes, rows.count);
            data = true;
            if (!inflater) continue;
            // A stream that makes fewer bytes than the rows need is drawn as far as it goes.
            const Inflater::State state = inflater->Feed(body, length);
            if (state == Inflater::State::kBroken) return {};
            cost.passed = StreamPassed(state, *inflater, &rows);
            if (cost.passed) return cost;
            continue;
        }
        dataDone = data;
        if (!(type[0] & 0x20)) continue; // critical
        ++cost.ancillaryChunks;
        const uint64_t start = inflater ? ZlibStart(type, body, length) : 0;
        if (start == 0 || start > length) continue; // none, or one the decoder skips
        inflater->Start(
            std::min(kCompressedChunkInflated,
                     kMaxCompressedChunkBytes - compressedBefore - cost.compressedBytes));
        cost.passed =
            StreamPassed(inflater->Feed(body + start, length - start), *inflater, nullptr);
        if (cost.passed) return cost;
        cost.compressedBytes += std::min(inflater->Made(), kCompressedChunkInflated);
    }
}

} // namespace qel::picture
