// The GIF images every decoder must read back exactly: palettes of 2, 3, 17
// and 256 entries, sizes of 1 and odd sizes, images that force several clear
// codes and many sub-blocks, interlaced images of every height from 1 to 9 and
// a large one, and GIF89a with a transparent index and comments.
#pragma once
#include "imaging/PixelBuffer.h"
#include "imaging/cPal8bpp.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace qel::test {

struct GifCase {
    std::string name;
    int entries = 0;
    bool interlaced = false;
    int transparentIndex = -1;
    std::string comment;
    PixelBuffer pixels; // 8-bit indices below `entries`

    // The palette: entries 0 ... entries - 1, all colours different.
    std::unique_ptr<cPal8bpp> Palette() const;
    // The colour table as the file holds it: 2^bits entries of red, green,
    // blue, those beyond the palette black.
    std::vector<std::array<uint8_t, 3>> ColourTable() const;
    int Width() const { return pixels.Width(); }
    int Height() const { return pixels.Height(); }
    // The pixels' indices, top row first, without row padding.
    std::vector<uint8_t> Indices();
};

std::vector<GifCase> MakeGifCases();

} // namespace qel::test
