// The bitmap file of a skin sheet: its headers, and the sheet's exact colours
// in rows bottom to top, each padded to four bytes.
#include "creator/sheet/SkinBitmap.h"

#include <gtest/gtest.h>
#include <cstring>
#include <stdexcept>

namespace qel {
namespace {

uint32_t At(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, &bytes[offset], 4);
    return value;
}

TEST(SkinBitmap, HoldsTheSheetsColoursBottomRowFirstInPaddedRows) {
    SheetImage sheet(3, 2, 0x00FEFEFE);
    sheet.SetPixel(0, 0, 0x00123456); // top left
    sheet.SetPixel(2, 1, 0x00ABCDEF); // bottom right
    const std::vector<uint8_t> bytes = SkinBitmapBytes(sheet);
    const size_t stride = 12, bits = 54;
    ASSERT_EQ(bytes.size(), bits + 2 * stride);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(At(bytes, 2), bytes.size());
    EXPECT_EQ(At(bytes, 10), bits);
    EXPECT_EQ(At(bytes, 18), 3u);
    EXPECT_EQ(At(bytes, 22), 2u); // positive height: bottom-up
    EXPECT_EQ(bytes[28], 24);
    // Bottom row first: its last pixel, blue green red.
    EXPECT_EQ(bytes[bits + 6], 0xAB);
    EXPECT_EQ(bytes[bits + 7], 0xCD);
    EXPECT_EQ(bytes[bits + 8], 0xEF);
    EXPECT_EQ(bytes[bits + 9], 0); // padding
    EXPECT_EQ(bytes[bits + stride], 0x12);
    EXPECT_EQ(bytes[bits + stride + 2], 0x56);
    EXPECT_EQ(bytes[bits + stride + 3], 0xFE);
}

TEST(SkinBitmap, RefusesSheetsNoBitmapHolds) {
    EXPECT_THROW(SkinBitmapBytes(SheetImage()), std::invalid_argument);
    EXPECT_THROW(SkinBitmapBytes(SheetImage(32768, 1)), std::invalid_argument);
}

} // namespace
} // namespace qel
