#include "imaging/PixelBuffer.h"
#include "base/Rounding.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace qel {

DibLayout DibLayoutFor(int32_t width, int32_t height, int32_t bpp) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    int64_t bits = int64_t{width} * bpp + 31;
    if (bits > kMax || bits < kMin) throw std::overflow_error("Overflow: image row too long");
    int64_t stride = bits / 32 * 4;
    int64_t size = stride * height;
    if (size > kMax || size < kMin) throw std::overflow_error("Overflow: image too large");
    return {static_cast<int32_t>(stride), static_cast<int32_t>(size)};
}

PixelBuffer::PixelBuffer(int32_t width, int32_t height, int32_t bpp)
    : width_(width), height_(height), bpp_(bpp) {
    if (width < 1 || height < 1) throw std::invalid_argument("PixelBuffer: empty size");
    DibLayout layout = DibLayoutFor(width, height, bpp);
    stride_ = layout.stride;
    bytes_.assign(static_cast<size_t>(layout.size), 0);
}

PixelBuffer PixelBuffer::CopyOf(const PixelView& source) {
    PixelBuffer copy(source.width, source.height, source.bpp);
    size_t rowBytes = static_cast<size_t>(copy.stride_);
    for (int32_t y = 0; y < source.height; ++y)
        std::memcpy(copy.bytes_.data() + y * rowBytes, source.Row(y), rowBytes);
    return copy;
}

PixelView PixelBuffer::View() {
    if (bytes_.empty()) return {};
    return {bytes_.data(), width_, height_, stride_, bpp_};
}

FitRect BestFit(int32_t width, int32_t height, int32_t targetWidth, int32_t targetHeight,
                bool stretchFit) {
    FitRect fit{0, 0, width, height};
    if (width > targetWidth || height > targetHeight || stretchFit) {
        // The ratios are kept in single precision.
        float rx = static_cast<float>(static_cast<double>(targetWidth) / width);
        float ry = static_cast<float>(static_cast<double>(targetHeight) / height);
        if (rx < ry) {
            fit.width = targetWidth;
            fit.height = RoundHalfEven(static_cast<double>(rx) * height);
        } else {
            fit.height = targetHeight;
            fit.width = RoundHalfEven(static_cast<double>(ry) * width);
        }
    }
    fit.x = (targetWidth - fit.width) / 2;
    fit.y = (targetHeight - fit.height) / 2;
    return fit;
}

PixelBuffer ScaleNearest(const PixelView& source, int32_t width, int32_t height) {
    PixelBuffer scaled(width, height, 32);
    PixelView out = scaled.View();
    std::vector<int32_t> columns(static_cast<size_t>(width));
    // The source pixel under the centre of each destination pixel.
    for (int32_t x = 0; x < width; ++x)
        columns[x] =
            static_cast<int32_t>((2 * int64_t{x} + 1) * source.width / (2 * int64_t{width}));
    for (int32_t y = 0; y < height; ++y) {
        int32_t sy =
            static_cast<int32_t>((2 * int64_t{y} + 1) * source.height / (2 * int64_t{height}));
        const uint8_t* in = source.Row(sy);
        uint8_t* row = out.Row(y);
        for (int32_t x = 0; x < width; ++x)
            std::memcpy(row + 4 * x, in + 4 * columns[x], 4);
    }
    return scaled;
}

} // namespace qel
