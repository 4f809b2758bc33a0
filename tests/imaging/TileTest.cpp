#include "imaging/cTile.h"
#include "tests/imaging/GdiHelpers.h"
#include "tests/support/Resources.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qel {
namespace {

using test::Pixel32;

// A 5 x 3 pattern picture whose pixels have Gradient's colours.
ComPtr<IPicture> Pattern() {
    cDIB pattern = test::Gradient(5, 3);
    return test::BitmapPicture(
        static_cast<HBITMAP>(CopyImage(pattern.hDIB(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

TEST(Tile, WithoutAPatternNothingIsDrawn) {
    cTile tile;
    cDIB canvas;
    ASSERT_TRUE(canvas.Create(8, 8, 32));
    tile.Tile(canvas.hDIBDC(), 0, 0, 8, 8, true);
    EXPECT_EQ(Pixel32(canvas, 3, 3), 0u);
    tile.DestroyPattern();
    tile.DestroyPattern();
}

TEST(Tile, PicturesRepeatFromTheRectangleOrFromTheDeviceOrigin) {
    cTile tile;
    ASSERT_TRUE(tile.SetPatternFromStdPicture(Pattern().get()));
    cDIB canvas;
    ASSERT_TRUE(canvas.Create(40, 30, 32));
    tile.Tile(canvas.hDIBDC(), 7, 4, 20, 10, true);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 7 && x < 27 && y >= 4 && y < 14;
            uint32_t expected = inside ? test::GradientColour((x - 7) % 5, (y - 4) % 3) : 0u;
            ASSERT_EQ(Pixel32(canvas, x, y), expected) << x << "," << y;
        }
    ASSERT_TRUE(canvas.Create(40, 30, 32));
    tile.Tile(canvas.hDIBDC(), 7, 4, 20, 10, false);
    EXPECT_EQ(Pixel32(canvas, 7, 4), test::GradientColour(7 % 5, 4 % 3));
    EXPECT_EQ(Pixel32(canvas, 26, 13), test::GradientColour(26 % 5, 13 % 3));
}

TEST(Tile, SolidAndHatchPatternsTakeOleColours) {
    cTile tile;
    cDIB canvas;
    ASSERT_TRUE(canvas.Create(16, 16, 32));
    ASSERT_TRUE(tile.SetPatternFromSolidColor(RGB(10, 20, 30)));
    tile.Tile(canvas.hDIBDC(), 0, 0, 16, 16, false);
    EXPECT_EQ(Pixel32(canvas, 15, 15), 0x0A141Eu);

    ASSERT_TRUE(canvas.Create(16, 16, 32));
    ASSERT_TRUE(tile.SetPatternFromHatchBrush(HS_CROSS, 0x80000000 | COLOR_HIGHLIGHT));
    SetBkColor(canvas.hDIBDC(), RGB(255, 255, 255));
    tile.Tile(canvas.hDIBDC(), 0, 0, 16, 16, true);
    COLORREF h = GetSysColor(COLOR_HIGHLIGHT);
    uint32_t highlight = uint32_t(GetRValue(h)) << 16 | uint32_t(GetGValue(h)) << 8 | GetBValue(h);
    int lines = 0, background = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            lines += Pixel32(canvas, x, y) == highlight;
            background += Pixel32(canvas, x, y) == 0xFFFFFFu;
        }
    EXPECT_GT(lines, 16);
    EXPECT_GT(background, 16);
    EXPECT_EQ(lines + background, 256);

    EXPECT_FALSE(tile.SetPatternFromSolidColor(0x80000000 | 0xFFFF));
    ASSERT_TRUE(canvas.Create(4, 4, 32));
    tile.Tile(canvas.hDIBDC(), 0, 0, 4, 4, true);
    EXPECT_EQ(Pixel32(canvas, 1, 1), 0u);
}

TEST(Tile, PicturesWithoutABitmapKeepTheCurrentPattern) {
    cTile tile;
    EXPECT_FALSE(tile.SetPatternFromStdPicture(test::IconPicture().get()));
    ASSERT_TRUE(tile.SetPatternFromSolidColor(RGB(1, 2, 3)));
    EXPECT_TRUE(tile.SetPatternFromStdPicture(test::IconPicture().get()));
    EXPECT_TRUE(tile.SetPatternFromStdPicture(nullptr));
    cDIB canvas;
    ASSERT_TRUE(canvas.Create(4, 4, 32));
    tile.Tile(canvas.hDIBDC(), 0, 0, 4, 4, true);
    EXPECT_EQ(Pixel32(canvas, 2, 2), 0x010203u);
}

TEST(Tile, RectanglesBeyondThirtyTwoBitsRaiseOverflow) {
    cTile tile;
    ASSERT_TRUE(tile.SetPatternFromSolidColor(RGB(1, 2, 3)));
    cDIB canvas;
    ASSERT_TRUE(canvas.Create(4, 4, 32));
    EXPECT_THROW(tile.Tile(canvas.hDIBDC(), 0x7FFFFFF0, 0, 0x20, 4, true), std::overflow_error);
}

TEST(Tile, ReplacedPatternsAreFreed) {
    DWORD before = test::GdiObjectCount();
    {
        cTile tile;
        auto pattern = Pattern();
        DWORD withPicture = test::GdiObjectCount();
        tile.SetPatternFromStdPicture(pattern.get());
        tile.SetPatternFromHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
        tile.SetPatternFromSolidColor(RGB(0, 0, 0));
        tile.SetPatternFromStdPicture(pattern.get());
        EXPECT_EQ(test::GdiObjectCount(), withPicture + 1);
    }
    EXPECT_EQ(test::GdiObjectCount(), before);
}

} // namespace
} // namespace qel
