#include "imaging/mGIFSave.h"
#include "base/AtomicFile.h"

#include <array>

namespace qel {
namespace {

constexpr int kMaxBits = 12;
constexpr int32_t kMaxMaxCode = 1 << kMaxBits; // codes stop growing at 4096
constexpr int kHashSize = 5003;                // a prime about 80% larger than 4096
constexpr int kHashShift = 4;                  // 5003 doubles 4 times before 65536
constexpr int kSubBlockBytes = 254;
constexpr int32_t kLargest = 32767;

// masks[i] = 2^i - 1.
constexpr std::array<uint32_t, 17> kMasks = [] {
    std::array<uint32_t, 17> m{};
    for (int i = 0; i <= 16; ++i)
        m[i] = (1u << i) - 1;
    return m;
}();

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

// Data sub-blocks: a length byte, then up to 254 bytes.
class SubBlocks {
public:
    explicit SubBlocks(std::vector<uint8_t>& out) : out_(out) {}
    void CharOut(uint8_t b) {
        if (count_ == 0) {
            lengthAt_ = out_.size();
            out_.push_back(0);
        }
        out_.push_back(b);
        if (++count_ == kSubBlockBytes) FlushPacket();
    }
    void FlushPacket() {
        if (count_ == 0) return;
        out_[lengthAt_] = static_cast<uint8_t>(count_);
        count_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    size_t lengthAt_ = 0;
    int count_ = 0;
};

// The classic hashed LZW encoder of GIF (open addressing with a secondary
// probe, codes of `initBits` up to 12 bits, a clear code when the table is full).
class LzwEncoder {
public:
    LzwEncoder(std::vector<uint8_t>& out, int initBits)
        : packets_(out), initBits_(initBits), nBits_(initBits), maxCode_(kMasks[initBits]),
          clearCode_(1 << (initBits - 1)), eofCode_(clearCode_ + 1), freeCode_(clearCode_ + 2) {}

    void Compress(const PixelView& image, const std::vector<int32_t>& rows) {
        hash_.fill(-1);
        OutputCode(clearCode_);
        int32_t prefix = image.Row(rows[0])[0];
        int32_t x = 1; // the first pixel is the first prefix
        for (int32_t y : rows) {
            const uint8_t* row = image.Row(y);
            for (; x < image.width; ++x) {
                int32_t c = row[x];
                int32_t key = (c << kMaxBits) + prefix;
                int32_t i = (c << kHashShift) ^ prefix;
                if (Find(key, i)) {
                    prefix = codes_[i];
                    continue;
                }
                OutputCode(prefix);
                prefix = c;
                if (freeCode_ < kMaxMaxCode) {
                    codes_[i] = freeCode_++;
                    hash_[i] = key;
                } else {
                    ClearBlock();
                }
            }
            x = 0;
        }
        OutputCode(prefix);
        OutputCode(eofCode_);
    }

private:
    // True when `key` is in the table (its slot in `i`); otherwise `i` is the
    // free slot for it. A slot whose key is 0 ends the probe, as in the classic
    // encoder.
    bool Find(int32_t key, int32_t& i) const {
        if (hash_[i] == key) return true;
        if (hash_[i] < 0) return false;
        int32_t displacement = i == 0 ? 1 : kHashSize - i;
        for (;;) {
            i -= displacement;
            if (i < 0) i += kHashSize;
            if (hash_[i] == key) return true;
            if (hash_[i] <= 0) return false;
        }
    }

    void ClearBlock() {
        hash_.fill(-1);
        freeCode_ = clearCode_ + 2;
        clearFlag_ = true;
        OutputCode(clearCode_);
    }

    void OutputCode(int32_t code) {
        accumulator_ &= kMasks[bitCount_];
        accumulator_ |= static_cast<uint32_t>(code) << bitCount_;
        bitCount_ += nBits_;
        while (bitCount_ >= 8) {
            packets_.CharOut(static_cast<uint8_t>(accumulator_ & 0xFF));
            accumulator_ >>= 8;
            bitCount_ -= 8;
        }
        // Widen the codes when the next one would not fit; back to the start after a clear.
        if (freeCode_ > maxCode_ || clearFlag_) {
            if (clearFlag_) {
                nBits_ = initBits_;
                maxCode_ = kMasks[nBits_];
                clearFlag_ = false;
            } else {
                ++nBits_;
                maxCode_ = nBits_ == kMaxBits ? kMaxMaxCode : kMasks[nBits_];
            }
        }
        if (code == eofCode_) {
            while (bitCount_ > 0) {
                packets_.CharOut(static_cast<uint8_t>(accumulator_ & 0xFF));
                accumulator_ >>= 8;
                bitCount_ -= 8;
            }
            packets_.FlushPacket();
        }
    }

    SubBlocks packets_;
    const int initBits_;
    int nBits_;
    int32_t maxCode_;
    const int32_t clearCode_, eofCode_;
    int32_t freeCode_;
    bool clearFlag_ = false;
    uint32_t accumulator_ = 0;
    int bitCount_ = 0;
    std::array<int32_t, kHashSize> hash_;  // key: character << 12 | prefix; -1 = empty
    std::array<int32_t, kHashSize> codes_; // the code of each key
};

// Whether every pixel is below `limit`.
bool PixelsBelow(const PixelView& image, int limit) {
    if (limit >= 256) return true;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.Row(y);
        uint8_t highest = 0;
        for (int32_t x = 0; x < image.width; ++x)
            highest = row[x] > highest ? row[x] : highest;
        if (highest >= limit) return false;
    }
    return true;
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
    if (!PixelsBelow(image, 1 << bits)) return GifError::PixelOutsideTable;

    std::vector<uint8_t> gif;
    gif.reserve(800 + options.comment.size() * 256 / 255 +
                static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3 / 2);
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
    LzwEncoder(gif, minCodeSize + 1).Compress(image, RowOrder(image.height, options.interlaced));
    gif.push_back(0);    // block terminator
    gif.push_back(0x3B); // trailer
    out.swap(gif);
    return GifError::None;
}

void InitGIFMasks() {}

bool SaveGIF(const std::string& fileName, const PixelView& image, const cPal8bpp& palette,
             int transparentIndex, bool interlaced, const std::string& comment) {
    std::vector<uint8_t> bytes;
    if (EncodeGIF(image, palette, {transparentIndex, interlaced, comment}, bytes) != GifError::None)
        return false;
    return WriteFileReplacing(fileName, bytes.data(), bytes.size());
}

} // namespace qel
