// Crafted GIFs (frames beyond their screen, huge areas, many frames), BMPs, JPEGs, PNGs, icons.
#include "base/PictureHeader.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace qel {
namespace {

void Put(std::vector<uint8_t>& b, std::initializer_list<uint32_t> values, int bytes) {
    for (uint32_t v : values)
        for (int i = 0; i < bytes; ++i)
            b.push_back(uint8_t(v >> 8 * i));
}

bool Within(int64_t w, int64_t h, long limit) {
    return w > 0 && h > 0 && w <= limit && h <= limit && w * h <= int64_t(kMaxPictureArea);
}

std::vector<uint8_t> Gif(uint32_t width, uint32_t height) {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
    Put(gif, {width, height}, 2);
    Put(gif, {0x80, 0, 0, 0, 0, 0, 0, 0, 0}, 1); // a table of two colours
    return gif;
}

// A frame at 0,0 of no colour table and 8-bit codes, and no data.
void PutGifFrame(std::vector<uint8_t>& gif, uint32_t width, uint32_t height) {
    Put(gif, {0x2C}, 1);
    Put(gif, {0, 0, width, height, 8 << 8}, 2);
    gif.push_back(0);
}

// 30000 x 30000 pixels, as a JPEG's frame header (after another segment) and a PNG's IHDR say.
const std::vector<uint8_t> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0,    4,    0,    0,    0xFF,
                                    0xC0, 0,    11,   8,    0x75, 0x30, 0x75, 0x30, 1},
                           kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0,    13,
                                   'I',  'H', 'D', 'R', 0,    0,    0x75, 0x30, 0, 0, 0x75, 0x30};

// An 8-bit run-length coded BMP of one colour and `data` bytes of runs.
std::vector<uint8_t> Rle8Bmp(uint32_t width, uint32_t height, uint32_t offset, uint32_t data) {
    std::vector<uint8_t> bmp = {'B', 'M'};
    Put(bmp, {62, 0, offset, 40, width, height, 1 | 8 << 16, 1, data, 0, 0, 1, 0, 0, 1 << 8}, 4);
    return bmp;
}

std::vector<uint8_t> Icon() { // of one image: 1 x 1 pixels of 32 bits, and the mask
    std::vector<uint8_t> icon = {0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 32, 0};
    Put(icon, {48, 22, 40, 1, 2, 1 | 32 << 16, 0, 0, 0, 0, 0, 0, 0, 0}, 4);
    return icon;
}

TEST(PictureHeader, NothingLargerThanTheBoundPassesAndNoBytesFault) {
    std::mt19937 rng(21);
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
                Put(gif, {0x21, x}, 1); // an extension
            } else {
                Put(gif, {0x2C}, 1); // a frame, of no colour table and 8-bit codes
                Put(gif, {x, y, fw, fh, 8 << 8}, 2);
                w = std::max<int64_t>(w, x + fw);
                h = std::max<int64_t>(h, y + fh);
                area += int64_t(fw) * fh;
            }
            gif.push_back(uint8_t(1 + rng() % 255)); // a data block, then the end of them
            gif.resize(gif.size() + gif.back(), uint8_t(rng()));
            gif.push_back(0);
        }
        gif.push_back(0x3B);
        ASSERT_EQ(PictureWithin(gif.data(), gif.size(), bound),
                  Within(w, h, limit) && area <= int64_t(kMaxPictureArea))
            << round;
        const int64_t heights[] = {INT32_MIN, -limit - 1, -limit, limit, limit + 1, INT32_MAX};
        const int64_t bw = side(), bh = rng() % 2 ? heights[rng() % 6] : int32_t(rng());
        std::vector<uint8_t> bmp = Rle8Bmp(uint32_t(bw), uint32_t(bh), 58, 4);
        ASSERT_EQ(PictureWithin(bmp.data(), bmp.size(), bound), Within(bw, std::abs(bh), limit));
        const std::vector<uint8_t> icon = Icon(), *kinds[] = {&gif, &bmp, &kPng, &kJpeg, &icon};
        const std::vector<uint8_t>& whole = *kinds[rng() % 5];
        // Cut (to a buffer of exactly that size) and garbled: the sanitizers judge.
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + rng() % whole.size());
        if (!cut.empty()) cut[rng() % cut.size()] = uint8_t(rng());
        PictureWithin(cut.data(), cut.size(), bound);
    }
}

TEST(PictureHeader, HeadersThatDoNotHoldTogetherAreRefusedAndSizesAreNamed) {
    auto within = [](const std::vector<uint8_t>& b) {
        std::string large = "unset";
        if (PictureWithin(b.data(), b.size(), kAnyPicture, &large)) return std::string("fits");
        return large.empty() ? "broken" : large;
    };
    EXPECT_EQ(within(Rle8Bmp(2, 2, 0x7FFFFF00, 4)), "broken") << "pixels beyond the file";
    EXPECT_EQ(within(Rle8Bmp(2, 2, 58, 0)), "broken") << "runs of no size";
    std::vector<uint8_t> header = Rle8Bmp(2, 2, 58, 4);
    header[14] = 44;
    EXPECT_EQ(within(header), "broken") << "an info header of no known size";
    std::vector<uint8_t> rows = {'B', 'M'}; // 3 x 2 pixels of 24 bits: a row of 12 bytes, then 9
    Put(rows, {0, 0, 54, 40, 3, 2, 1 | 24 << 16, 0, 0, 0, 0, 0, 0}, 4);
    rows.resize(rows.size() + 21);
    EXPECT_EQ(within(rows), "fits");
    rows.pop_back();
    EXPECT_EQ(within(rows), "broken") << "the last row cut short";
    std::vector<uint8_t> icon = Icon();
    EXPECT_EQ(within(icon), "fits");
    icon[4] = icon[5] = 0xFF;
    EXPECT_EQ(within(icon), "broken") << "a directory of 65535 entries in 70 bytes";
    std::vector<uint8_t> gif = Gif(8, 8);
    PutGifFrame(gif, 8, 8);
    gif.push_back(0x99); // a block of no known kind
    EXPECT_EQ(within(gif), "broken");
    for (const auto& picture : {kJpeg, kPng})
        EXPECT_EQ(within(picture),
                  "is 30000 x 30000 pixels; a picture is at most 67108864 pixels in all");
    gif = Gif(4096, 4096);
    for (int frame = 0; frame < 5; ++frame)
        PutGifFrame(gif, 4096, 4096);
    EXPECT_EQ(within(gif), "has frames of 83886080 pixels in all; a picture has at most 67108864");
    gif = Gif(1, 1);
    for (int frame = 0; frame <= 1000; ++frame)
        PutGifFrame(gif, 1, 1);
    EXPECT_EQ(within(gif), "has more than 1000 frames; a picture has at most 1000");
    EXPECT_EQ(within({'l', 't', 0, 0, 8, 0, 0, 0, 'B', 'M', 0, 0, 0, 0, 0, 0}), "broken")
        << "a format the check does not know";
}

} // namespace
} // namespace qel
