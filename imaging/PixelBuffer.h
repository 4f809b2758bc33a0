// Plain pixel buffers, the image type of the imaging library's portable core,
// with the row and fitting rules that device-independent bitmaps follow.
// Pixels of 32 bits are 4 bytes: blue, green, red, reserved; pixels of 8 bits
// are palette indices.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel {

// Pixels owned elsewhere (a DIB section, a PixelBuffer): `height` rows of
// `width` pixels of `bpp` bits, the top row at `bits`, each row `stride` bytes
// after the one above it (negative for rows stored bottom-up).
struct PixelView {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    ptrdiff_t stride = 0;
    int32_t bpp = 0;

    bool empty() const { return bits == nullptr || width < 1 || height < 1; }
    uint8_t* Row(int32_t y) const { return bits + y * stride; }
};

// The DIB row rule: every row starts on a 4-byte boundary.
struct DibLayout {
    int32_t stride; // ((width x bpp + 31) \ 32) x 4 bytes
    int32_t size;   // stride x height bytes
};
// Throws std::overflow_error when width x bpp + 31 or stride x height does not
// fit in a signed 32-bit integer.
DibLayout DibLayoutFor(int32_t width, int32_t height, int32_t bpp);

// An owned, zero-filled, top-down image in DIB layout.
class PixelBuffer {
public:
    PixelBuffer() = default;
    // Throws as DibLayoutFor does; width and height must be at least 1.
    PixelBuffer(int32_t width, int32_t height, int32_t bpp);
    // A top-down copy of `source`'s pixels.
    static PixelBuffer CopyOf(const PixelView& source);

    PixelView View();
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

private:
    std::vector<uint8_t> bytes_;
    int32_t width_ = 0, height_ = 0, bpp_ = 0, stride_ = 0;
};

// Where an image goes inside a target rectangle, keeping its proportions.
struct FitRect {
    int32_t x, y, width, height;
};
// An image larger than the target in either direction, or any image when
// `stretchFit` is true, is scaled so that it just fits; otherwise it keeps its
// size. Either way it is centred (offsets rounded toward zero).
FitRect BestFit(int32_t width, int32_t height, int32_t targetWidth, int32_t targetHeight,
                bool stretchFit);

// A 32-bit copy of a 32-bit image at another size, each pixel taken from the
// nearest source pixel without blending (the COLORONCOLOR way of stretching).
PixelBuffer ScaleNearest(const PixelView& source, int32_t width, int32_t height);

} // namespace qel
