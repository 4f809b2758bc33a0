// Crafted GIFs (frames beyond their screen, huge areas, many frames) and BMPs (extreme heights).
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

TEST(PictureHeader, NothingLargerThanTheBoundPassesAndNoBytesFault) {
    std::mt19937 rng(21);
    for (int round = 0; round < 20000; ++round) {
        const long limit = rng() % 2 ? 4096 : kMaxPictureSide;
        auto side = [&]() -> uint32_t {
            const uint32_t edges[] = {0, 8192, 8193, uint32_t(limit), uint32_t(limit) + 1};
            return rng() % 4 ? rng() % 300 : rng() % 2 ? rng() % 65536 : edges[rng() % 5];
        };
        int64_t w = side(), h = side();
        std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
        Put(gif, {uint32_t(w), uint32_t(h)}, 2);
        Put(gif, {0x80, 0, 0, 0, 0, 0, 0, 0, 0}, 1); // a table of two colours
        for (int n = rng() % 40; n > 0; --n) {
            const uint32_t x = side(), y = side(), fw = side(), fh = side();
            if (rng() % 2) {
                Put(gif, {0x21, x}, 1); // an extension
            } else {
                Put(gif, {0x2C}, 1); // a frame, of no colour table and 8-bit codes
                Put(gif, {x, y, fw, fh, 8 << 8}, 2);
                w = std::max<int64_t>(w, x + fw);
                h = std::max<int64_t>(h, y + fh);
            }
            gif.push_back(uint8_t(1 + rng() % 255)); // a data block, then the end of them
            gif.resize(gif.size() + gif.back(), uint8_t(rng()));
            gif.push_back(0);
        }
        gif.push_back(0x3B);
        ASSERT_EQ(PictureWithin(gif.data(), gif.size(), limit), Within(w, h, limit)) << round;
        const int64_t heights[] = {INT32_MIN, -limit - 1, -limit, limit, limit + 1, INT32_MAX};
        const int64_t bw = side(), bh = rng() % 2 ? heights[rng() % 6] : int32_t(rng());
        std::vector<uint8_t> bmp = {'B', 'M'};
        Put(bmp, {54, 0, 54, 40, uint32_t(bw), uint32_t(bh), 1 | 8 << 16, 1}, 4); // coded rows
        ASSERT_EQ(PictureWithin(bmp.data(), bmp.size(), limit), Within(bw, std::abs(bh), limit));
        std::vector<uint8_t>& cut = rng() % 2 ? gif : bmp; // cut and garbled: sanitizers judge
        cut.resize(rng() % cut.size());
        if (!cut.empty()) cut[rng() % cut.size()] = uint8_t(rng());
        PictureWithin(cut.data(), cut.size(), limit);
    }
}

} // namespace
} // namespace qel
