#include "creator/sheet/SkinBitmap.h"

#include <stdexcept>

namespace qel {
namespace {

constexpr size_t kFileHeader = 14, kInfoHeader = 40;

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

} // namespace

std::vector<uint8_t> SkinBitmapBytes(const SheetImage& sheet) {
    const int width = sheet.Width(), height = sheet.Height();
    if (sheet.Empty() || width > 32767 || height > 32767)
        throw std::invalid_argument("A skin sheet bitmap must be 1 to 32767 pixels a side.");
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    const size_t bitsSize = stride * size_t(height);
    const size_t headers = kFileHeader + kInfoHeader;
    std::vector<uint8_t> out(headers + bitsSize, 0);

    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    Put32(out, 10, static_cast<uint32_t>(headers));
    Put32(out, kFileHeader, kInfoHeader);
    Put32(out, kFileHeader + 4, static_cast<uint32_t>(width));
    Put32(out, kFileHeader + 8, static_cast<uint32_t>(height)); // positive: bottom row first
    Put16(out, kFileHeader + 12, 1);                            // planes
    Put16(out, kFileHeader + 14, 24);                           // bits per pixel
    Put32(out, kFileHeader + 20, static_cast<uint32_t>(bitsSize));

    for (int y = 0; y < height; ++y) {
        uint8_t* row = out.data() + headers + stride * size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = sheet.Pixel(x, y); // 0x00BBGGRR
            row[3 * x] = static_cast<uint8_t>(colour >> 16);
            row[3 * x + 1] = static_cast<uint8_t>(colour >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(colour);
        }
    }
    return out;
}

} // namespace qel
