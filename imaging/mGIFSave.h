// GIF writing of 8-bit images: GIF87a, or GIF89a with a transparent index or a
// comment; one image, a global colour table, variable-length-code LZW data.
// The encoder takes pixels and options and gives bytes; it keeps no state
// between calls and checks every limit before it produces the first byte.
#pragma once
#include "imaging/PixelBuffer.h"
#include "imaging/cPal8bpp.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

struct GifOptions {
    int transparentIndex = -1; // 0 ... 255 marks that index transparent; below 0: none
    bool interlaced = false;   // rows in the four passes of GIF interlacing
    std::string comment;       // bytes in the ANSI code page; empty: no comment block
};

enum class GifError {
    None,
    NotEightBitsPerPixel,     // or an empty image
    TooFewColours,            // the palette has fewer than 2 entries
    TooLarge,                 // wider or higher than 32767 pixels
    BadTransparentIndex,      // above 255
    PixelOutsideTable,        // a pixel value beyond the colour table
    NotThirtyTwoBitsPerPixel, // exact indexing: not 32 bits per pixel, or an empty image
    TooManyColours,           // exact indexing: more than 256 colours
};

// The bytes of a GIF file of `image` with `palette`'s colours. On success `out`
// holds the whole file; on failure it is left as it was.
GifError EncodeGIF(const PixelView& image, const cPal8bpp& palette, const GifOptions& options,
                   std::vector<uint8_t>& out);

// The bytes of a GIF file that decodes to exactly the colours of the 32-bit
// `image`, which may have at most 256 of them: the colour table lists them in
// the order they first occur row by row (the colour of pixel (0,0) first). On
// failure `out` is left as it was.
GifError EncodeExactGIF(const PixelView& image, const GifOptions& options,
                        std::vector<uint8_t>& out);

// Writes the image as a GIF file. Everything is checked and encoded before the
// destination is touched; the file is then written beside it under a temporary
// name and renamed over it, so that a failure leaves any old file as it was and
// no partial file behind. True when the file was written.
bool SaveGIF(const std::string& fileName, const PixelView& image, const cPal8bpp& palette,
             int transparentIndex, bool interlaced, const std::string& comment);

#ifdef _WIN32
class cDIB;
bool SaveGIF(const std::string& fileName, const cDIB& image, const cPal8bpp& palette,
             int transparentIndex, bool interlaced, const std::string& comment);
#endif

} // namespace qel
