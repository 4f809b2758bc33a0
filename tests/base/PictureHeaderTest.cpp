// Whole pictures of every kind, crafted, as the check walks them, and their costs.
#include "base/PictureHeader.h"

#include <gtest/gtest.h>
#include <zlib.h>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace qel {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}
// Fields of `bytes` bytes each, little-endian (negative `bytes`: big-endian).
void Put(std::vector<uint8_t>& b, std::initializer_list<uint32_t> values, int bytes) {
    for (uint32_t v : values)
        for (int i = 0; i < std::abs(bytes); ++i)
            b.push_back(uint8_t(v >> 8 * (bytes > 0 ? i : -bytes - 1 - i)));
}
Bytes Fields(std::initializer_list<uint32_t> values, int bytes) {
    Bytes b;
    Put(b, values, bytes);
    return b;
}
// `b` with the field of `bytes` bytes at `at` set to `value`.
Bytes With(Bytes b, size_t at, uint32_t value, int bytes = 4) {
    const Bytes field = Fields({value}, bytes);
    std::copy(field.begin(), field.end(), b.begin() + at);
    return b;
}

bool Within(int64_t w, int64_t h, long limit) {
    return w > 0 && h > 0 && w <= limit && h <= limit && w * h <= int64_t(kMaxPictureArea);
}

// A GIF's header and screen with a table of two colours.
Bytes Gif(uint32_t width, uint32_t height) {
    return Cat(
        {{'G', 'I', 'F', '8', '9', 'a'}, Fields({width, height}, 2), {0x80, 0, 0}, Bytes(6)});
}
// A frame's LZW data in data blocks: 2-bit colours, then `clears` clear codes (4)
// and the `codes`, each as wide as the table has grown since the last clear code
// (the first code after one adds nothing); then the empty block.
Bytes Lzw(std::vector<unsigned> codes, size_t clears = 0) {
    codes.insert(codes.begin(), clears, 4);
    Bytes packed, data = {2};
    unsigned bits = 0, count = 0, width = 3, size = 5;
    for (unsigned code : codes) {
        for (bits |= code << count, count += width; count >= 8; count -= 8, bits >>= 8)
            packed.push_back(uint8_t(bits));
        size = code == 4 ? 5 : size + 1;
        width = code == 4 ? 3 : width + (size == 1u << width && width < 12);
    }
    if (count) packed.push_back(uint8_t(bits));
    for (size_t at = 0; at < packed.size(); at += 255) {
        data.push_back(uint8_t(std::min<size_t>(255, packed.size() - at)));
        data.insert(data.end(), packed.begin() + at, packed.begin() + at + data.back());
    }
    return Cat({data, {0}});
}
// 64 pixels of one colour: a clear code, codes each one longer than the one before
// (growing to 5 bits), one of 9, and the end code (5).
const std::vector<unsigned> kSixtyFour = {4, 0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 13, 5};

// A BMP (`header` 14 less: a bitmap without its file header) of the colour
// table its depth has and every row, or 4 bytes of runs.
Bytes Bmp(uint32_t header, int32_t w, int32_t h, uint32_t depth, uint32_t compression = 0) {
    Bytes info = header == 12 ? Fields({12, uint32_t(w) | uint32_t(h) << 16, 1 | depth << 16}, 4)
                              : Fields({header, uint32_t(w), uint32_t(h), 1 | depth << 16,
                                        compression, 4, 0, 0, 0, 0},
                                       4);
    const uint32_t masks = header == 40 && compression == 3 ? 12 : 0;
    info.resize(header + masks + (depth <= 8 ? (header == 12 ? 3 : 4) << depth : 0), 0x11);
    const bool runs = compression == 1 || compression == 2;
    const uint32_t rows = runs ? 4 : (uint32_t(w) * depth + 31) / 32 * 4 * uint32_t(std::abs(h));
    Bytes bmp = Cat({{'B', 'M'}, Fields({0, 0, uint32_t(14 + info.size())}, 4), info});
    bmp.resize(bmp.size() + rows, runs ? 0 : 0x22);
    return bmp;
}
Bytes Rle(int32_t w, int32_t h, uint32_t depth, const Bytes& runs) {
    const Bytes bmp = Bmp(40, w, h, depth, depth == 8 ? 1 : 2);
    return With(Cat({Bytes(bmp.begin(), bmp.end() - 4), runs}), 34, uint32_t(runs.size()));
}
Bytes Times(const Bytes& b, size_t n) {
    return n > 1 ? Cat({Times(Cat({b, b}), n / 2), n % 2 ? b : Bytes()}) : n ? b : Bytes();
}
// An icon's bitmap: the colour rows and, if `mask`, the mask rows.
Bytes IconDib(uint32_t w, uint32_t h, uint32_t depth, bool mask = true) {
    const Bytes dib = Bmp(40, int32_t(w), int32_t(2 * h), depth);
    const uint32_t rows = (w * depth + 31) / 32 * 4 * h, masks = mask ? (w + 31) / 32 * 4 * h : 0;
    return Bytes(dib.begin() + 14, dib.end() - rows + masks);
}
// An icon (`type` 1) or cursor (2) of the `images`.
Bytes Icon(uint16_t type, std::initializer_list<Bytes> images) {
    Bytes icon = Fields({0, type, uint32_t(images.size())}, 2), data;
    for (const Bytes& image : images) {
        const uint32_t at = uint32_t(6 + 16 * images.size() + data.size());
        icon = Cat({icon, Fields({0x0101, 1 | 32 << 16, uint32_t(image.size()), at}, 4)});
        data = Cat({data, image});
    }
    return Cat({icon, data});
}

Bytes Segment(uint8_t marker, const Bytes& body) {
    return Cat({{0xFF, marker}, Fields({uint32_t(body.size() + 2)}, -2), body});
}
// A JPEG of `before`, a `frame` header of `comps` components (the first of
// `sampling`, the others 1x1), and `scans` scans of them all over `band` (first
// and last coefficient, successive approximation), each with a stuffed zero and
// the first and last restart markers.
Bytes Jpeg(uint16_t w, uint16_t h, unsigned scans = 1, const Bytes& before = {},
           uint8_t frame = 0xC0, uint8_t comps = 3, const Bytes& band = {0, 63, 0},
           uint8_t sampling = 0x11) {
    Bytes sof = Cat({{8}, Fields({h, w}, -2), {comps}}), sos = {comps};
    for (uint8_t c = 1; c <= comps; ++c) {
        sof = Cat({sof, {c, c == 1 ? sampling : uint8_t(0x11), 0}});
        sos = Cat({sos, {c, 0}});
    }
    Bytes jpeg = Cat({{0xFF, 0xD8}, before, Segment(frame, sof)});
    for (unsigned s = 0; s < scans; ++s)
        jpeg = Cat(
            {jpeg, Segment(0xDA, Cat({sos, band})), {1, 0xFF, 0, 2, 0xFF, 0xD0, 3, 0xFF, 0xD7, 4}});
    return Cat({jpeg, {0xFF, 0xD9}});
}
// `b` with one byte more at the end of the segment at `at`, which counts it.
Bytes Longer(Bytes b, size_t at) {
    b.insert(b.begin() + at + 2 + (b[at + 2] << 8 | b[at + 3]), 0);
    ++b[at + 3];
    return b;
}

// A zlib stream making `size` zeros in `rows` pieces, as an encoder that flushes after
// each writes it, then `empty` empty blocks (of fixed codes, four in 5 bytes).
Bytes Zlib(uint32_t size, uint32_t empty = 0, uint32_t rows = 1) {
    const Bytes zeros(size);
    Bytes blocks(size / 2 + 16 * rows + 64);
    z_stream s{};
    deflateInit(&s, 1);
    s.next_out = blocks.data();
    s.avail_out = uInt(blocks.size());
    for (uint32_t row = 0; row < rows; ++row) {
        s.next_in = const_cast<uint8_t*>(zeros.data());
        s.avail_in = size / rows;
        deflate(&s, Z_SYNC_FLUSH);
    }
    blocks.resize(s.total_out);
    deflateEnd(&s);
    for (uint32_t n = 0; n < empty / 4; ++n)
        blocks.insert(blocks.end(), {0x02, 0x08, 0x20, 0x80, 0x00});
    return Cat({blocks, {0x03, 0x00}, Fields({uint32_t(s.adler)}, -4)});
}
Bytes Chunk(const char* type, const Bytes& data = {}) {
    return Cat({Fields({uint32_t(data.size())}, -4), Bytes(type, type + 4), data, Bytes(4)});
}
// Compressed chunks of each kind, each making `size` bytes.
Bytes CompressedChunks(int count, uint32_t size) {
    Bytes chunks, stream = Zlib(size);
    for (int n = 0; n < count; ++n) // name, (flag,) method, (language, translation)
        chunks =
            Cat({chunks, n % 3 ? Chunk(n % 3 == 1 ? "zTXt" : "iCCP", Cat({{'a', 0, 0}, stream}))
                               : Chunk("iTXt", Cat({{'a', 0, 1, 0, 0, 0}, stream}))});
    return chunks;
}
// A PNG of the `chunks`, then the image data `data` in a chunk (none when empty): by
// default a stream making none of the rows (one cut short is drawn as far as it goes).
Bytes Png(uint32_t w, uint32_t h, uint8_t depth = 8, uint8_t colour = 2, const Bytes& chunks = {},
          const Bytes& data = Zlib(0), uint8_t interlace = 0) {
    return Cat({{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'},
                Chunk("IHDR", Cat({Fields({w, h}, -4), {depth, colour, 0, 0, interlace}})),
                chunks,
                data.empty() ? Bytes() : Chunk("IDAT", data),
                Chunk("IEND")});
}

TEST(PictureHeader, NothingLargerThanTheBoundPassesAndNoBytesFault) {
    std::mt19937 rng(21);
    const Bytes png = Png(4, 4, 8, 2, {}, Zlib(4 * 13)), jpeg = Jpeg(8, 8, 2, {}, 0xC2),
                icon = Icon(1, {IconDib(1, 1, 32)}), codes = Cat({{0}, Lzw(kSixtyFour)});
    for (int round = 0; round < 20000; ++round) {
        const long limit = rng() % 2 ? 4096 : kAnyPicture.side;
        const PictureBound bound{limit, "a picture"};
        auto side = [&]() -> uint32_t {
            const uint32_t edges[] = {0, 8192, 8193, uint32_t(limit), uint32_t(limit) + 1};
            return rng() % 4 ? rng() % 300 : rng() % 2 ? rng() % 65536 : edges[rng() % 5];
        };
        int64_t w = side(), h = side(), area = 0;
        std::vector<uint8_t> gif = Gif(uint32_t(w), uint32_t(h));
        for (int n = rng() % 40; n > 0; --n) {
            const uint32_t x = side(), y = side(), fw = side(), fh = side();
            if (rng() % 2) {
                Put(gif, {0x21, x, uint32_t(1 + rng() % 255)}, 1); // an extension of one data block
                gif.resize(gif.size() + gif.back(), uint8_t(rng()));
                gif.push_back(0);
            } else {
                Put(gif, {0x2C}, 1); // a frame, of no colour table and 2-bit codes
                Put(gif, {x, y, fw, fh}, 2);
                gif.insert(gif.end(), codes.begin(), codes.end());
                w = std::max<int64_t>(w, x + fw);
                h = std::max<int64_t>(h, y + fh);
                area += int64_t(fw) * fh;
            }
        }
        gif.push_back(0x3B);
        ASSERT_EQ(PictureWithin(gif.data(), gif.size(), bound),
                  Within(w, h, limit) && area <= int64_t(kMaxPictureArea))
            << round;
        const int64_t heights[] = {INT32_MIN, -limit - 1, -limit, limit, limit + 1, INT32_MAX};
        const int64_t bw = side(), bh = rng() % 2 ? heights[rng() % 6] : int32_t(rng());
        const Bytes bmp = Bmp(40, int32_t(bw), int32_t(bh), 8, 1); // 8-bit runs
        ASSERT_EQ(PictureWithin(bmp.data(), bmp.size(), bound), Within(bw, bh, limit));
        const Bytes* kinds[] = {&gif, &bmp, &png, &jpeg, &icon};
        const Bytes& whole = *kinds[rng() % 5];
        // Whole or cut (to a buffer of exactly that size), and garbled: the sanitizers judge.
        Bytes cut(whole.begin(), whole.begin() + (rng() % 2 ? whole.size() : rng() % whole.size()));
        if (!cut.empty()) cut[rng() % cut.size()] = uint8_t(rng());
        PictureWithin(cut.data(), cut.size(), bound);
    }
}

// Each case's verdict: "fits", "broken", or the start of what is too large or costly.
struct Case {
    const char* what;
    Bytes picture;
    std::string verdict;
};
void ExpectVerdicts(std::initializer_list<Case> cases, PictureBound bound) {
    for (const Case& c : cases) {
        const Bytes picture = c.picture; // exactly its size: the sanitizers see a read past it
        std::string why = "unset";
        if (PictureWithin(picture.data(), picture.size(), bound, &why)) why = "fits";
        EXPECT_EQ(why.empty() ? "broken" : why.substr(0, c.verdict.size()), c.verdict) << c.what;
    }
}

constexpr PictureBound kSheet{4096, "a skin sheet"};

TEST(PictureHeader, BitmapsAndIconsHoldTogether) {
    const Bytes rows = Bmp(40, 3, 2, 24), runs = Bmp(40, 2, 2, 8, 1);
    const Bytes padless(rows.begin(), rows.end() - 3); // the last row's pixels, not its padding
    const Bytes dib = IconDib(16, 16, 4), shared = With(Icon(1, {dib, dib}), 34, 38);
    // The image one byte further on than it lies, its last byte past the file.
    const Bytes further = With(With(Icon(1, {Cat({{0}, dib})}), 14, uint32_t(dib.size())), 18, 23);
    const Bytes bombs = Png(1, 1, 8, 2, CompressedChunks(5, 8 << 20));
    // Rows closing 3 runs (a run, an absolute run padded to 2 bytes); a row of pairs of
    // touching 1-pixel runs, on past its end; a row of runs closed inside 255 absolute
    // pixels, whose bytes the decoder reads again.
    const Bytes row8 = {9, 7, 0, 2, 2, 0, 0, 3, 0, 0, 0, 0, 0, 2, 1, 0, 4, 9, 0, 0},
                row4 = With(row8, 7, 5, 1),
                alike = Cat({Times({1, 5, 0, 2, 0, 0, 1, 5, 0, 2, 1, 0}, 1366), {0, 0}}),
                hidden =
                    Cat({Times(Cat({{0, 255}, Times({1, 5, 0, 2, 0, 0}, 42), {0, 2, 0, 0}}), 13),
                         {0, 0}});
    // Rows of a PNG that a flood of blocks in another would spend, and rows flushed one by one.
    const Bytes lender = Png(1, 4096, 8, 0, {}, Zlib(8192)),
                flood = Png(1, 1, 8, 0, {}, Zlib(0, 5000)),
                flushed = Png(1, 4096, 8, 0, {}, Zlib(8192, 0, 4096));
    ExpectVerdicts(
        {
            {"core header", Bmp(12, 5, 3, 8), "fits"},
            {"v5 header, bit fields", Bmp(124, 5, -3, 32, 3), "fits"},
            {"no padding", padless, "fits"},
            {"last row short", Bytes(padless.begin(), padless.end() - 1), "broken"},
            {"pixels over the colour table", With(Bmp(40, 4, 4, 8), 10, 14 + 40 + 1020), "broken"},
            {"pixels over the masks", With(Bmp(40, 4, 4, 16, 3), 10, 14 + 40), "broken"},
            {"bit fields at 24 bits", Bmp(40, 4, 4, 24, 3), "broken"},
            {"8-bit runs at 4 bits", With(runs, 26, 1 | 4 << 16), "broken"},
            {"runs beyond the file", With(runs, 10, 0x7FFFFF00), "broken"},
            {"runs of no size", With(runs, 34, 0), "broken"},
            {"8-bit runs", Rle(4096, 4096, 8, Times(row8, 4096)), "fits"},
            {"4-bit runs", Rle(4096, 4096, 4, Times(row4, 4096)), "fits"},
            {"rows alike", Rle(4096, 4096, 8, Times(alike, 12)), "fits"},
            {"rows alike apart, a delta up, 4-bit runs past the top",
             Rle(4096, 4096, 4,
                 Cat({Times(Cat({alike, {0, 0}}), 12),
                      {0, 2, 0, 8},
                      row4,
                      {9, 7, 0, 0},
                      Times(row4, 4080)})),
             "makes the decoder copy 468535663 rectangles of its RLE runs; a skin sheet makes the "
             "decoder copy at most 134217728"},
            {"runs in absolute pixels, the end, one more row",
             Rle(4096, 4096, 8, Cat({Times(hidden, 1921), {0, 1}, hidden})),
             "closes 1048866 RLE runs with escapes; a skin sheet closes at most 1048576 RLE runs"},
            {"runs cut mid-delta", Rle(8, 8, 8, {4, 1, 0, 2, 1}), "fits"},
            {"runs in an icon", Icon(1, {With(IconDib(16, 16, 8), 16, 1)}), "broken"},
            {"PNG in a bitmap", Bmp(40, 4, 4, 0, 5), "broken"},
            {"unknown header size", Bmp(44, 4, 4, 8), "broken"},
            {"cursor", Icon(2, {IconDib(32, 32, 1)}), "fits"},
            {"three images", Icon(1, {IconDib(16, 16, 4), Png(48, 48), IconDib(32, 32, 32)}),
             "fits"},
            {"no mask", Icon(1, {IconDib(16, 16, 8, false)}), "broken"},
            {"32 bits, no mask", Icon(1, {IconDib(16, 16, 32, false)}), "fits"},
            {"one image twice", Bytes(shared.begin(), shared.end() - dib.size()), "broken"},
            {"an image past the file", Bytes(further.begin(), further.end() - 1), "broken"},
            {"an image of one byte", Icon(1, {{0x89}}), "broken"},
            {"a broken PNG", Icon(1, {IconDib(16, 16, 8), Png(48, 48, 8, 2, {}, {})}), "broken"},
            {"compressed chunks in two PNGs", Icon(1, {bombs, bombs}), "makes 65 MB"},
            {"a block flood in one PNG", Icon(1, {lender, flood}),
             "has image data holding more than 6 deflate blocks for 2 bytes in 1 row; a skin "
             "sheet's image data holds at most 4, 2 for each row and one for every 4096 bytes"},
            {"blocks of five PNGs", Icon(1, {flushed, flushed, flushed, flushed, flushed}),
             "has more than 32772 deflate blocks in its zlib streams; a skin sheet has at most "
             "32772"},
            {"65535 entries", With(Icon(1, {IconDib(1, 1, 32)}), 4, 0xFFFF), "broken"},
        },
        kSheet);
}

TEST(PictureHeader, JpegsAreWalkedToTheirEnd) {
    const Bytes tables = Cat({Segment(0xC4, Bytes(17)), Segment(0xFE, {'x'})}),
                frame = Segment(0xC0, {8, 0, 8, 0, 8, 1, 1, 0x11, 0}), whole = Jpeg(8, 8);
    ExpectVerdicts(
        {
            {"baseline", Jpeg(8, 8, 1, tables), "fits"},
            {"arithmetic, progressive", Jpeg(8, 8, 3, tables, 0xCA, 4), "fits"},
            {"sides in order", Jpeg(4097, 8), "is 4097 x 8 pixels; a skin sheet is at most 4096"},
            {"lossless", Jpeg(8, 8, 1, {}, 0xC3), "broken"},
            {"hierarchical", Jpeg(8, 8, 1, {}, 0xC5), "broken"},
            {"hierarchical, arithmetic", Jpeg(8, 8, 1, {}, 0xCE), "broken"},
            {"12-bit samples", With(whole, 6, 12, 1), "broken"},
            {"sampled 5 times", With(whole, 13, 0x51, 1), "broken"},
            {"frame header longer than its components", Longer(whole, 2), "broken"},
            {"scan header longer than its components", Longer(whole, 21), "broken"},
            {"a band past the block", Jpeg(8, 8, 1, {}, 0xC2, 1, {1, 64, 0}), "broken"},
            {"a band backwards", Jpeg(8, 8, 1, {}, 0xC2, 1, {9, 8, 0}), "broken"},
            {"no end", Bytes(whole.begin(), whole.end() - 2), "broken"},
            {"only a frame header", Bytes(whole.begin(), whole.begin() + 21), "broken"},
            {"no scan", Cat({{0xFF, 0xD8}, frame, {0xFF, 0xD9}}), "broken"},
            {"two frames", Jpeg(8, 8, 1, frame), "broken"},
            {"five components", Jpeg(8, 8, 1, {}, 0xC2, 5), "broken"},
            {"501 scans", Jpeg(8, 8, 501, {}, 0xC2),
             "has 501 scans; a skin sheet has at most 500 scans"},
            {"too much work", Jpeg(4096, 4096, 9, {}, 0xC2), "has 7077888 blocks in its scans;"},
            {"4:2:0", Jpeg(4096, 4096, 17, {}, 0xC2, 3, {0, 0, 0}, 0x22), "has 6684672 blocks"},
            {"arithmetic, sequential", Jpeg(4096, 4096, 1, {}, 0xC9, 1, {0, 0, 0}),
             "needs 536871152 arithmetic-coded decisions; a skin sheet needs at most 335544320"},
            {"arithmetic, first passes", Jpeg(4096, 4096, 5, {}, 0xCA, 1, {1, 8, 0}),
             "needs 335545520 arithmetic-coded decisions;"},
            {"arithmetic, refinements", Jpeg(4096, 4096, 2, {}, 0xCA, 1, {1, 63, 0x10}), "fits"},
            {"Huffman, first passes", Jpeg(4096, 4096, 3, {}, 0xC2, 1, {1, 8, 0}), "fits"},
        },
        kSheet);
}

TEST(PictureHeader, PngsAreWalkedChunkByChunk) {
    Bytes texts;
    for (int n = 0; n < 1001; ++n)
        texts = Cat({texts, Chunk("tEXt", {'a', 0})});
    const Bytes whole = Png(4, 4), row = Zlib(4), rest(row.begin() + 5, row.end()),
                start = Chunk("IDAT", Bytes(row.begin(), row.begin() + 5));
    Bytes dataChunks, misread = Zlib(1 << 20); // its check, one bit off
    for (int n = 0; n < 65537; ++n)
        Put(dataChunks, {0, 'I' << 24 | 'D' << 16 | 'A' << 8 | 'T', 0}, -4);
    misread.back() ^= 1;
    const Bytes broken = Chunk("zTXt", Cat({{'a', 0, 0}, misread}));
    ExpectVerdicts(
        {
            {"16-bit palette", Png(4, 4, 16, 3), "broken"},
            {"no image data", Png(4, 4, 8, 2, Chunk("tEXt", {'a', 0}), {}), "broken"},
            {"a second header", Png(4, 4, 8, 2, Chunk("IHDR", Bytes(13))), "broken"},
            {"cut short", Bytes(whole.begin(), whole.end() - 1), "broken"},
            {"no header first", With(whole, 12, 't' | 'E' << 8 | 'X' << 16 | 't' << 24), "broken"},
            {"past the end", Png(4, 4, 8, 2, Fields({0x7FFFFFFF, 0x49444154}, -4)), "broken"},
            {"ancillary", Png(4, 4, 8, 2, texts), "has 1001 ancillary chunks;"},
            {"ten compressed", Png(4, 4, 8, 2, CompressedChunks(10, 100)), "fits"},
            {"8 MB of each counted", Png(4, 4, 8, 2, CompressedChunks(8, 9 << 20)), "fits"},
            {"bombs", Png(4, 4, 8, 2, CompressedChunks(9, 9 << 20)),
             "makes 65 MB in compressed chunks; a skin sheet makes at most 64 MB"},
            {"a broken one counted to its fault",
             Png(4, 4, 8, 2, Cat({broken, CompressedChunks(8, 9 << 20)})), "makes 65 MB"},
            {"rows in two chunks", Png(1, 1, 8, 2, start, rest), "fits"},
            {"image data in two runs", Png(1, 1, 8, 2, Cat({start, Chunk("tEXt", {'a', 0})}), rest),
             "broken"},
            {"more than the rows", Png(1, 1, 8, 2, {}, Zlib(5)),
             "has image data that makes more than the 4 bytes its rows need"},
            {"on past the rows", Png(1, 100, 8, 0, {}, Zlib(200, 8)),
             "has image data that goes on after the 200 bytes its rows need"},
            {"data past the stream", Png(1, 1, 8, 2, {}, Cat({Zlib(4), {0}})), "fits"},
            {"flushed every row", Png(1, 500, 8, 0, {}, Zlib(1000, 0, 500)), "fits"},
            {"empty blocks", Png(1024, 1024, 8, 0, {}, Zlib(512 * 1025, 5000)),
             "has image data holding more than 2180 deflate blocks for 1049600 bytes in 1024 "
             "rows;"},
            {"65537 image data chunks", Png(1, 1, 8, 2, dataChunks, {}),
             "has 65537 image data chunks; a skin sheet has at most 65536"},
            {"interlaced, by passes", Png(3, 3, 8, 2, {}, Zlib(33), 1), "fits"},
            {"interlaced, two passes empty, a byte more", Png(3, 3, 8, 2, {}, Zlib(34), 1),
             "has image data that makes more than the 33 bytes"},
            {"interlaced 13 x 11, a byte more", Png(13, 11, 8, 2, {}, Zlib(452), 1),
             "has image data that makes more than the 451 bytes"},
            {"interlace method 2", Png(1, 1, 8, 2, {}, Zlib(4), 2), "broken"},
            {"16-bit RGBA", Png(4096, 4096, 16, 6), "fits"},
        },
        kSheet);
    const Bytes grey = Png(32, 32, 1, 0); // where a file's bytes weigh
    ExpectVerdicts(
        {
            {"a small bound", Png(16, 16), "fits"},
            {"the file three times", Png(32, 32, 8, 2, Chunk("prVt", Bytes(6000))), "needs 1 MB"},
            {"a cursor's four times", Icon(2, {Png(32, 32, 8, 2, Chunk("prVt", Bytes(3900)))}),
             "needs 1 MB"},
            {"an icon's PNGs at 32 bits", Icon(1, {grey, grey, grey}), "needs 1 MB"},
        },
        {32, "an icon"});
}

TEST(PictureHeader, GifsAreWalkedToTheirTrailer) {
    // Frames at 0,0 of the LZW `data`, after `comments` comments.
    auto gif = [](int frames, int comments, uint32_t side = 8,
                  const Bytes& data = Lzw(kSixtyFour)) {
        Bytes g = Gif(side, side);
        for (int n = 0; n < comments; ++n)
            g = Cat({g, {0x21, 0xFE, 1, 'x', 0}});
        for (int n = 0; n < frames; ++n)
            g = Cat({g, {0x2C}, Fields({0, 0, side, side}, 2), {0}, data});
        return Cat({g, {0x3B}});
    };
    const Bytes frame = gif(1, 0);
    std::vector<unsigned> pixels(kSixtyFour.begin(), kSixtyFour.end() - 1), past = pixels;
    past.resize(pixels.size() + 300000); // codes once all the pixels are made
    // Codes after the pixels that the table lacks; 4096 codes of a pixel, each adding one.
    std::vector<unsigned> lacking = pixels, filling(4097, 1);
    lacking.push_back(31);
    filling[0] = 4;
    // After 64 Mpixels, a frame of broken codes; 13 frames behind a transparent colour.
    Bytes fifth = gif(4, 0, 4096), transparent = Cat({Gif(32, 32), {0x21, 0xF9, 4, 1, 0, 0, 0, 0}});
    fifth.back() = 0x2C;
    fifth = Cat({fifth, Fields({0, 0, 4096, 4096}, 2), {0}, Lzw({4, 0, 7, 5}), {0x3B}});
    for (int n = 0; n < 13; ++n)
        transparent = Cat({transparent, {0x2C}, Fields({0, 0, 32, 32}, 2), {0}, Lzw(kSixtyFour)});
    std::vector<unsigned> growing = {4}; // 4186 pixels in strings each one longer
    for (unsigned code = 0; code < 96; code += code ? 1 : 6)
        growing.push_back(code);
    const Bytes lent = Cat({Gif(64, 64),
                            {0x2C},
                            Fields({0, 0, 64, 64}, 2),
                            {0},
                            Lzw(growing),
                            {0x2C},
                            Fields({0, 0, 8, 8}, 2),
                            {0},
                            Lzw(pixels, (1 << 18) + 9),
                            {0x3B}});
    ExpectVerdicts(
        {
            {"one frame", frame, "fits"},
            {"cut mid-frame", Bytes(frame.begin(), frame.end() - 3), "broken"},
            {"no trailer", Bytes(frame.begin(), frame.end() - 1), "fits"},
            {"a block of no known kind", Cat({Bytes(frame.begin(), frame.end() - 1), {0x99, 0x3B}}),
             "broken"},
            {"a whole frame of 9-bit colours", gif(1, 0, 8, {9, 4, 0, 2, 16, 32, 0}), "broken"},
            {"a code the table has not yet", gif(1, 0, 8, Lzw({4, 0, 7, 5})), "broken"},
            {"data ending before its pixels", gif(1, 0, 8, Lzw({4, 0, 6, 7})), "fits"},
            {"a code the table lacks once the frame is complete", gif(1, 0, 8, Lzw(lacking)),
             "fits"},
            {"the table filled", gif(1, 0, 64, Lzw(filling)), "fits"},
            {"neither a frame nor a trailer", Gif(8, 8), "broken"},
            {"2^18 + 1 clear codes for 64 pixels", gif(1, 0, 8, Lzw(pixels, 1 << 18)), "fits"},
            {"clear codes beyond their frames' own in two frames",
             gif(2, 0, 8, Lzw(pixels, (1 << 17) + 1)),
             "has a frame with more than 131072 codes that make no pixel; a picture has at most "
             "one "
             "for every 64 pixels a frame makes, and 262144 more in all"},
            {"one frame's allowance spent by another", lent, "has a frame with more than 262145"},
            {"data past a complete frame", gif(1, 0, 8, Lzw(past)),
             "has a frame with more than 262145 codes"},
            {"4096 comments", gif(1, 4096), "fits"},
            {"4097 comments", gif(1, 4097), "has 8194 blocks in its extensions;"},
            {"1001 frames", gif(1001, 0, 1), "has 1001 frames;"},
            {"5 frames of 4096 x 4096, the last not decoded", fifth,
             "has 83886080 pixels in its frames;"},
            {"30000 x 30000", Jpeg(30000, 30000),
             "is 30000 x 30000 pixels; a picture is at most 67108864 pixels in all"},
            {"30000 x 30000", Png(30000, 30000), "is 30000 x 30000 pixels;"},
            {"arithmetic, first passes", Jpeg(8192, 8192, 1, {}, 0xCA, 1, {1, 20, 0}),
             "needs 671088880 arithmetic-coded decisions; a picture needs at most 671088640"},
            {"16-bit grey and alpha, as RGBA", Png(8192, 8192, 16, 4), "needs 1297 MB to decode;"},
            {"RGB and tRNS", Png(8192, 8192, 16, 2, Chunk("tRNS", Bytes(6))), "needs 1297 MB"},
            {"16-bit grey and tRNS", Png(8192, 8192, 16, 0, Chunk("tRNS", Bytes(2))),
             "needs 1297 MB"},
            {"a format the check does not know", {'l', 't', 0, 0, 8, 0, 0, 0, 'B', 'M'}, "broken"},
        },
        kAnyPicture);
    ExpectVerdicts({{"transparent", Cat({transparent, {0x3B}}), "needs 1 MB"}}, {32, "an icon"});
}

} // namespace
} // namespace qel
