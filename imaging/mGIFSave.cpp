#include "imaging/mGIFSave.h"
#include "base/AtomicFile.h"
#include "imaging/ReduceColours.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace qel {
namespace {

constexpr int kMaxBits = 12;
constexpr int32_t kMaxMaxCode = 1 << kMaxBits; // codes stop growing at 4096
constexpr int kHashSize = 5003;                // a prime about 80% larger than 4096
constexpr int kHashShift = 4;                  // 5003 doubles 4 times before 65536
constexpr int kSubBlockBytes = 254;
constexpr int32_t kLargest = 32767;

// The largest code of `bits` bits.
constexpr int32_t Mask(int bits) {
    return (1 << bits) - 1;
}

void Put16(std::vector<uint8_t>& out, int32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

// The rows in the order they are stored: top to bottom, or the four passes of
// interlacing (every 8th row from 0, every 8th from 4, every 4th from 2, every
// 2nd from 1), of which short images simply have fewer rows in each.
std::vector<int32_t> RowOrder(int32_t height, bool interlaced) {
    std::vector<int32_t> rows;
    rows.reserve(static_cast<size_t>(height));
    if (!interlaced) {
        for (int32_t y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    static constexpr int32_t kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int32_t y = kStart[pass]; y < height; y += kStep[pass])
            rows.push_back(y);
    return rows;
}

// The classic hashed LZW encoder of GIF: open addressing with a secondary
// probe, codes of `initBits` up to 12 bits, a clear code when the table is
// full. The codes are packed low bits first into one stream; the result is its
// length. The encoder state lives in locals so that it stays in registers.
size_t CompressLZW(const PixelView& image, const std::vector<int32_t>& rows, int initBits,
                   uint8_t* stream) {
    struct Slot {
        int32_t key;  // character << 12 | prefix; -1 = empty
        int32_t code; // the code of that string
    };
    std::unique_ptr<Slot[]> table(new Slot[kHashSize]);
    auto clearTable = [&] {
        for (int i = 0; i < kHashSize; ++i)
            table[i].key = -1;
    };
    // True when `key` is in the table (its slot in `i`); otherwise `i` is the
    // free slot for it. A slot whose key is 0 ends the probe, as in the
    // classic encoder.
    auto find = [&](int32_t key, int32_t& i) {
        if (table[i].key == key) return true;
        if (table[i].key < 0) return false;
        int32_t displacement = i == 0 ? 1 : kHashSize - i;
        for (;;) {
            i -= displacement;
            if (i < 0) i += kHashSize;
            if (table[i].key == key) return true;
            if (table[i].key <= 0) return false;
        }
    };

    const int32_t clearCode = 1 << (initBits - 1), eofCode = clearCode + 1;
    int nBits = initBits;
    int32_t maxCode = Mask(initBits), freeCode = clearCode + 2;
    bool clearFlag = false;
    uint64_t accumulator = 0;
    int bitCount = 0;
    uint8_t* at = stream;
    auto outputCode = [&](int32_t code) {
        accumulator |= static_cast<uint64_t>(code) << bitCount;
        bitCount += nBits;
        if (bitCount >= 32) {
            for (int b = 0; b < 4; ++b)
                at[b] = static_cast<uint8_t>(accumulator >> (8 * b));
            at += 4;
            accumulator >>= 32;
            bitCount -= 32;
        }
        // Widen the codes when the next one would not fit; back to the start after a clear.
        if (freeCode > maxCode || clearFlag) {
            if (clearFlag) {
                nBits = initBits;
                maxCode = Mask(nBits);
                clearFlag = false;
            } else {
                ++nBits;
                maxCode = nBits == kMaxBits ? kMaxMaxCode : Mask(nBits);
            }
        }
    };

    clearTable();
    outputCode(clearCode);
    int32_t prefix = image.Row(rows[0])[0];
    int32_t x = 1; // the first pixel is the first prefix
    for (int32_t y : rows) {
        const uint8_t* row = image.Row(y);
        for (; x < image.width; ++x) {
            int32_t c = row[x];
            int32_t key = (c << kMaxBits) + prefix;
            int32_t i = (c << kHashShift) ^ prefix;
            if (find(key, i)) {
                prefix = table[i].code;
                continue;
            }
            outputCode(prefix);
            prefix = c;
            if (freeCode < kMaxMaxCode) {
                table[i] = {key, freeCode++};
            } else {
                clearTable();
                freeCode = clearCode + 2;
                clearFlag = true;
                outputCode(clearCode);
            }
        }
        x = 0;
    }
    outputCode(prefix);
    outputCode(eofCode);
    for (; bitCount > 0; bitCount -= 8) {
        *at++ = static_cast<uint8_t>(accumulator);
        accumulator >>= 8;
    }
    return static_cast<size_t>(at - stream);
}

// Appends data as sub-blocks: a length byte, then up to 254 bytes.
void WriteSubBlocks(std::vector<uint8_t>& out, const uint8_t* data, size_t size) {
    out.reserve(out.size() + size + size / kSubBlockBytes + 1);
    for (size_t done = 0; done < size; done += kSubBlockBytes) {
        size_t n = size - done < kSubBlockBytes ? size - done : kSubBlockBytes;
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data + done, data + done + n);
    }
}

// Whether every pixel is below 2^bits: no pixel has a bit set at or above
// `bits` (checked eight pixels at a time).
bool PixelsFit(const PixelView& image, int bits) {
    if (bits >= 8) return true;
    const uint64_t high = 0x0101010101010101ull * static_cast<uint8_t>(0xFF << bits);
    uint64_t seen = 0;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.Row(y);
        int32_t x = 0;
        for (; x + 8 <= image.width; x += 8) {
            uint64_t eight;
            std::memcpy(&eight, row + x, 8);
            seen |= eight;
        }
        for (; x < image.width; ++x)
            seen |= row[x];
    }
    return (seen & high) == 0;
}

void WriteCommentBlocks(std::vector<uint8_t>& out, const std::string& text) {
    for (size_t at = 0; at < text.size(); at += 255) {
        size_t n = text.size() - at < 255 ? text.size() - at : 255;
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), text.begin() + static_cast<ptrdiff_t>(at),
                   text.begin() + static_cast<ptrdiff_t>(at + n));
    }
}

} // namespace

GifError EncodeGIF(const PixelView& image, const cPal8bpp& palette, const GifOptions& options,
                   std::vector<uint8_t>& out) {
    if (image.bpp != 8 || image.empty()) return GifError::NotEightBitsPerPixel;
    if (palette.Entries() < 2) return GifError::TooFewColours;
    if (image.width > kLargest || image.height > kLargest) return GifError::TooLarge;
    if (options.transparentIndex > 255) return GifError::BadTransparentIndex;
    int bits = 1;
    while ((1 << bits) < palette.Entries())
        ++bits;
    if (!PixelsFit(image, bits)) return GifError::PixelOutsideTable;

    std::vector<uint8_t> gif;
    const bool extended = options.transparentIndex >= 0 || !options.comment.empty();
    const char* signature = extended ? "GIF89a" : "GIF87a";
    gif.insert(gif.end(), signature, signature + 6);
    // Logical screen: global table, 8-bit colour resolution, not sorted.
    Put16(gif, image.width);
    Put16(gif, image.height);
    gif.push_back(static_cast<uint8_t>(0xF0 | (bits - 1)));
    gif.push_back(0); // background colour index
    gif.push_back(0); // pixel aspect ratio
    for (int i = 0; i < (1 << bits); ++i) {
        bool inUse = i < palette.Entries();
        auto e = static_cast<uint8_t>(i);
        gif.push_back(inUse ? palette.rgbR(e) : 0);
        gif.push_back(inUse ? palette.rgbG(e) : 0);
        gif.push_back(inUse ? palette.rgbB(e) : 0);
    }
    if (!options.comment.empty()) {
        gif.push_back(0x21);
        gif.push_back(0xFE);
        WriteCommentBlocks(gif, options.comment);
        gif.push_back(0);
    }
    if (options.transparentIndex >= 0) {
        // Graphic control: transparent colour given, no disposal, no delay.
        const uint8_t control[] = {
            0x21, 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(options.transparentIndex), 0};
        gif.insert(gif.end(), control, control + sizeof control);
    }
    gif.push_back(0x2C);
    Put16(gif, 0);
    Put16(gif, 0);
    Put16(gif, image.width);
    Put16(gif, image.height);
    gif.push_back(static_cast<uint8_t>((bits - 1) | (options.interlaced ? 0x40 : 0)));
    const int minCodeSize = bits == 1 ? 2 : bits;
    gif.push_back(static_cast<uint8_t>(minCodeSize));
    // Codes of at most 12 bits: no more than one a pixel, one clear code for
    // every 3838 of them, and the first and last; two bytes a pixel is ample.
    size_t pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    std::unique_ptr<uint8_t[]> stream(new uint8_t[pixels * 2 + pixels / 64 + 64]);
    size_t size = CompressLZW(image, RowOrder(image.height, options.interlaced), minCodeSize + 1,
                              stream.get());
    WriteSubBlocks(gif, stream.get(), size);
    gif.push_back(0);    // block terminator
    gif.push_back(0x3B); // trailer
    out.swap(gif);
    return GifError::None;
}

GifError EncodeExactGIF(const PixelView& image, const GifOptions& options,
                        std::vector<uint8_t>& out) {
    if (image.bpp != 32 || image.empty()) return GifError::NotThirtyTwoBitsPerPixel;
    if (image.width > kLargest || image.height > kLargest) return GifError::TooLarge;
    const std::vector<uint32_t> colours = ColoursOf(image);
    if (colours.size() > cPal8bpp::kTableEntries) return GifError::TooManyColours;
    cPal8bpp palette;
    palette.Initialize(std::max<int>(2, static_cast<int>(colours.size())));
    std::unordered_map<uint32_t, uint8_t> index;
    for (size_t i = 0; i < colours.size(); ++i) {
        const auto e = static_cast<uint8_t>(i);
        palette.rgbR(e, colours[i] & 0xFF);
        palette.rgbG(e, (colours[i] >> 8) & 0xFF);
        palette.rgbB(e, (colours[i] >> 16) & 0xFF);
        index[colours[i]] = e;
    }
    PixelBuffer pixels(image.width, image.height, 8);
    PixelView view = pixels.View();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            view.Row(y)[x] = index.at(ColourAt(image, x, y));
    return EncodeGIF(view, palette, options, out);
}

bool SaveGIF(const std::string& fileName, const PixelView& image, const cPal8bpp& palette,
             int transparentIndex, bool interlaced, const std::string& comment) {
    std::vector<uint8_t> bytes;
    if (EncodeGIF(image, palette, {transparentIndex, interlaced, comment}, bytes) != GifError::None)
        return false;
    return WriteFileReplacing(fileName, bytes.data(), bytes.size());
}

} // namespace qel
