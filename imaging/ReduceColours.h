// Brings pictures down to the colours that one GIF colour table holds: median
// cut over the colours the pictures use, weighted by how often each occurs,
// refined by a few rounds of nearest-centre averaging. Pictures are 32-bit
// pixel buffers; colours are colour values 0x00BBGGRR.
#pragma once
#include "imaging/PixelBuffer.h"

#include <cstdint>
#include <vector>

namespace qel {

// Changes the pixels of `pictures` (32 bits per pixel) so that together they
// use at most `budget` colours besides those of `reserved` (which pixels may
// keep or be mapped to), and none of them has the colour `avoid`. Pictures that
// already fit are left as they are, but for `avoid`. Deterministic: the same
// pictures give the same result everywhere. Throws std::invalid_argument for a
// budget below 1 or a picture of another depth.
void ReduceColours(const std::vector<PixelView>& pictures, const std::vector<uint32_t>& reserved,
                   int budget, uint32_t avoid);

// The distinct colours of a 32-bit picture, in the order they first occur row
// by row.
std::vector<uint32_t> ColoursOf(const PixelView& picture);

// The colour of pixel (x, y) of a 32-bit picture, and setting it.
inline uint32_t ColourAt(const PixelView& picture, int x, int y) {
    const uint8_t* p = picture.Row(y) + 4 * x;
    return static_cast<uint32_t>(p[2]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[0]) << 16;
}
inline void SetColourAt(const PixelView& picture, int x, int y, uint32_t colour) {
    uint8_t* p = picture.Row(y) + 4 * x;
    p[0] = static_cast<uint8_t>(colour >> 16);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour);
    p[3] = 0;
}

} // namespace qel
