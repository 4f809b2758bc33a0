#include "imaging/mDither8bpp.h"

#include <gtest/gtest.h>

#include <vector>

namespace qel {
namespace {

struct Bgr {
    uint8_t b, g, r;
};

PixelBuffer Image32(int width, int height, const std::vector<Bgr>& pixels) {
    PixelBuffer image(width, height, 32);
    PixelView v = image.View();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Bgr& c = pixels[static_cast<size_t>(y * width + x)];
            uint8_t* p = v.Row(y) + 4 * x;
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    return image;
}

Bgr Red(uint8_t r) {
    return {0, 0, r};
}

struct Converted {
    PixelBuffer indices;
    cPal8bpp palette;
    uint8_t At(int x, int y) { return indices.View().Row(y)[x]; }
};

std::unique_ptr<Converted> Convert(PaletteType paletteType, DitherMethod method,
                                   PixelBuffer& source) {
    auto out = std::make_unique<Converted>();
    out->indices = PixelBuffer(source.Width(), source.Height(), 8);
    SetPaletteType(paletteType);
    SetDitherMethod(method);
    EXPECT_TRUE(DitherTo8bpp(source.View(), out->indices.View(), out->palette));
    return out;
}

// The halftone index of the level colour of a pixel (levels 0 ... 5).
int Halftone(int r, int g, int b) {
    return r + 6 * g + 36 * b;
}

TEST(DitherTables, HoldTheMatricesLevelsAndErrorShares) {
    InitDitherTables();
    const DitherTables& t = GetDitherTables();
    EXPECT_EQ(t.m1,
              (std::array<int32_t, 16>{1, 9, 3, 11, 13, 5, 15, 7, 4, 12, 2, 10, 16, 8, 14, 6}));
    EXPECT_EQ(t.m51, (std::array<int32_t, 16>{3, 29, 10, 35, 41, 16, 48, 22, 13, 38, 6, 32, 51, 26,
                                              45, 19}));
    EXPECT_EQ(t.halftoneIndex[Halftone(1, 2, 3)], Halftone(1, 2, 3));
    EXPECT_EQ(t.L6(25), 0);
    EXPECT_EQ(t.L6(26), 1);
    EXPECT_EQ(t.L6(280), 5);
    EXPECT_EQ(t.L6(-51), 0);
    EXPECT_EQ(t.L16(8), 0);
    EXPECT_EQ(t.L16(9), 1);
    EXPECT_EQ(t.L16(262), 15);
    EXPECT_EQ(t.E7(16), 7);
    EXPECT_EQ(t.E1(8), 0); // a half goes to the even neighbour
    EXPECT_EQ(t.E1(24), 2);
    EXPECT_EQ(t.E5(-16), -5);
    EXPECT_EQ(t.E3(255), 48);
}

TEST(Dither, PureRedFindsItsHalftoneAndOptimalEntries) {
    PixelBuffer image = Image32(2, 1, {Red(255), {255, 255, 255}});
    auto halftone = Convert(PaletteType::Halftone, DitherMethod::Nearest, image);
    EXPECT_EQ(halftone->palette.Entries(), 216);
    EXPECT_EQ(halftone->At(0, 0), 5);
    EXPECT_EQ(halftone->At(1, 0), 215);
    auto optimal = Convert(PaletteType::Optimal, DitherMethod::Nearest, image);
    ASSERT_EQ(optimal->palette.Entries(), 2);
    EXPECT_EQ(optimal->At(0, 0), optimal->palette.ClosestIndex(255, 0, 0));
    EXPECT_EQ(optimal->palette.rgbR(optimal->At(0, 0)), 255);
    EXPECT_EQ(optimal->palette.rgbG(optimal->At(1, 0)), 255);
}

TEST(Dither, OptimalWithoutDitheringRoundsEachChannelToTheNearestSeventeenth) {
    // Red 8 rounds down to level 0 (black), red 9 up to level 1 (17), although
    // the palette holds both exactly.
    PixelBuffer image = Image32(4, 1, {Red(0), Red(17), Red(8), Red(9)});
    auto c = Convert(PaletteType::Optimal, DitherMethod::Nearest, image);
    EXPECT_EQ(c->At(2, 0), c->At(0, 0));
    EXPECT_EQ(c->At(3, 0), c->At(1, 0));
    EXPECT_NE(c->At(0, 0), c->At(1, 0));
}

TEST(Dither, OrderedHalftoneTurnsFlatGreyIntoAFourByFourPattern) {
    PixelBuffer image = Image32(8, 8, std::vector<Bgr>(64, Bgr{128, 128, 128}));
    auto c = Convert(PaletteType::Halftone, DitherMethod::Ordered, image);
    const DitherTables& t = GetDitherTables();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            // 128 + 26 - M51 reaches level 3 where M51 is 26 or less.
            int level = t.m51[(x % 4) + 4 * (y % 4)] <= 26 ? 3 : 2;
            EXPECT_EQ(c->At(x, y), Halftone(level, level, level)) << x << "," << y;
        }
}

TEST(Dither, OrderedOptimalShiftsLevelsByTheMatrix) {
    // Palette: black, grey 17, grey 9 (in the order they arrive). Grey 9 moved
    // by 8 - M1 reaches level 1 (grey 17) where M1 <= 8 and level 0 (black)
    // elsewhere; the exact entry grey 9 is never chosen.
    std::vector<Bgr> pixels(8 * 5, Bgr{9, 9, 9});
    pixels[0] = {0, 0, 0};
    pixels[1] = {17, 17, 17};
    PixelBuffer image = Image32(8, 5, pixels);
    auto c = Convert(PaletteType::Optimal, DitherMethod::Ordered, image);
    ASSERT_EQ(c->palette.Entries(), 3);
    ASSERT_EQ(c->palette.rgbG(1), 17);
    const char* expected[] = {"10101010", "01010101", "10101010", "01010101"};
    for (int y = 1; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(c->At(x, y), expected[y % 4][x] - '0') << x << "," << y;
}

TEST(Dither, DiffusionLeavesColoursOfThePaletteAlone) {
    std::vector<Bgr> pixels;
    for (int i = 0; i < 7 * 5; ++i)
        pixels.push_back({static_cast<uint8_t>(51 * (i % 6)),
                          static_cast<uint8_t>(51 * (i / 6 % 6)),
                          static_cast<uint8_t>(51 * (i * 7 % 6))});
    PixelBuffer image = Image32(7, 5, pixels);
    auto diffused = Convert(PaletteType::Halftone, DitherMethod::FloydSteinberg, image);
    auto nearest = Convert(PaletteType::Halftone, DitherMethod::Nearest, image);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(diffused->At(x, y), nearest->At(x, y));
}

// The halftone index of the last pixel after Floyd-Steinberg on red values.
int LastPixel(int width, int height, const std::vector<uint8_t>& reds) {
    std::vector<Bgr> pixels;
    for (uint8_t r : reds)
        pixels.push_back(Red(r));
    PixelBuffer image = Image32(width, height, pixels);
    return Convert(PaletteType::Halftone, DitherMethod::FloydSteinberg, image)
        ->At(width - 1, height - 1);
}

TEST(Dither, DiffusionSpreadsSevenFiveOneAndThreeSixteenths) {
    // Halftone levels change at 25.5; red 16 maps to black and leaves an error of 16.
    EXPECT_EQ(LastPixel(2, 1, {16, 19}), 1); // 19 + 7 = 26
    EXPECT_EQ(LastPixel(2, 1, {16, 18}), 0); // 25
    EXPECT_EQ(LastPixel(1, 2, {16, 21}), 1); // 21 + 5 = 26
    EXPECT_EQ(LastPixel(1, 2, {16, 20}), 0); // 25
    // Below right: 1 from (0,0); (1,0) then holds 7 and gives 2 below and 1
    // below left; (0,1) then holds 6 and gives 3 to the right.
    EXPECT_EQ(LastPixel(2, 2, {16, 0, 0, 20}), 1); // 20 + 1 + 2 + 3 = 26
    EXPECT_EQ(LastPixel(2, 2, {16, 0, 0, 19}), 0); // 25
}

TEST(Dither, DiffusionWorksOnACopyOfTheSource) {
    PixelBuffer image = Image32(2, 1, {Red(16), Red(19)});
    Convert(PaletteType::Halftone, DitherMethod::FloydSteinberg, image);
    EXPECT_EQ(image.View().Row(0)[6], 19);
}

TEST(Dither, DiffusionDropsErrorsBelowFourAndKeepsChannelsInRange) {
    auto right = [](uint8_t first, Bgr second) {
        PixelBuffer image = Image32(2, 1, {Red(first), second});
        return Convert(PaletteType::Halftone, DitherMethod::FloydSteinberg, image)->At(1, 0);
    };
    EXPECT_EQ(right(3, Red(25)), 0); // error 3: dropped
    EXPECT_EQ(right(4, Red(25)), 1); // error 4: 2 more to the right
    // Sums stop at 255 and 0 instead of wrapping round.
    EXPECT_EQ(right(25, {255, 255, 255}), 215); // 255 + 11
    EXPECT_EQ(right(230, {0, 0, 0}), 0);        // 0 - 11
}

TEST(Dither, OtherPaletteTypesAndMethodsMapNothing) {
    PixelBuffer image = Image32(2, 1, {Red(255), Red(255)});
    PixelBuffer dest(2, 1, 8);
    dest.View().Row(0)[0] = 77;
    cPal8bpp palette;
    palette.CreateEGA();
    SetPaletteType(static_cast<PaletteType>(2));
    SetDitherMethod(DitherMethod::Nearest);
    EXPECT_TRUE(DitherTo8bpp(image.View(), dest.View(), palette));
    EXPECT_EQ(palette.Entries(), 16);
    EXPECT_EQ(dest.View().Row(0)[0], 77);
    SetPaletteType(PaletteType::Halftone);
    SetDitherMethod(static_cast<DitherMethod>(3));
    EXPECT_TRUE(DitherTo8bpp(image.View(), dest.View(), palette));
    EXPECT_EQ(palette.Entries(), 216);
    EXPECT_EQ(dest.View().Row(0)[0], 77);
}

TEST(Dither, RefusesImagesOfOtherDepthsOrSizes) {
    PixelBuffer image = Image32(2, 2, std::vector<Bgr>(4, Red(1)));
    PixelBuffer eight(2, 2, 8), small(2, 1, 8), wide(2, 2, 24);
    cPal8bpp palette;
    SetPaletteType(PaletteType::Halftone);
    SetDitherMethod(DitherMethod::Nearest);
    EXPECT_FALSE(DitherTo8bpp(eight.View(), eight.View(), palette));
    EXPECT_FALSE(DitherTo8bpp(wide.View(), eight.View(), palette));
    EXPECT_FALSE(DitherTo8bpp(image.View(), small.View(), palette));
    EXPECT_FALSE(DitherTo8bpp(image.View(), image.View(), palette));
    EXPECT_EQ(palette.Entries(), 0);
}

TEST(Dither, OptimalPaletteComesFromAReducedCopyOfLargeImages) {
    // 600 x 20: the copy is 150 x 5. Two colours in equal halves stay two entries.
    std::vector<Bgr> pixels;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 600; ++x)
            pixels.push_back(x < 300 ? Bgr{200, 10, 10} : Bgr{10, 10, 200});
    PixelBuffer image = Image32(600, 20, pixels);
    auto c = Convert(PaletteType::Optimal, DitherMethod::FloydSteinberg, image);
    ASSERT_EQ(c->palette.Entries(), 2);
    EXPECT_EQ(c->palette.rgbB(c->At(0, 0)), 200);
    EXPECT_EQ(c->palette.rgbR(c->At(599, 19)), 200);
}

// An 8-bit image of the given indices, one row.
PixelBuffer Row8(const std::vector<uint8_t>& indices) {
    PixelBuffer image(static_cast<int32_t>(indices.size()), 1, 8);
    std::copy(indices.begin(), indices.end(), image.View().Row(0));
    return image;
}

TEST(CompactPalette, KeepsTheUsedEntriesInOrderAndRenumbersPixels) {
    cPal8bpp palette;
    palette.CreateHalftone(4);
    PixelBuffer image = Row8({7, 3, 3, 7});
    EXPECT_EQ(CompactPalette(image.View(), palette), 214);
    ASSERT_EQ(palette.Entries(), 2);
    EXPECT_EQ(palette.rgbR(0), 153); // old entry 3
    EXPECT_EQ(palette.rgbG(1), 51);  // old entry 7 = (51, 51, 0)
    EXPECT_EQ(palette.rgbR(1), 51);
    const uint8_t* p = image.View().Row(0);
    EXPECT_EQ(std::vector<uint8_t>(p, p + 4), (std::vector<uint8_t>{1, 0, 0, 1}));
    EXPECT_THROW(palette.ClosestIndex(0, 0, 0), std::logic_error); // not rebuilt
}

TEST(CompactPalette, ASingleUsedEntryStillLeavesTwo) {
    cPal8bpp palette;
    palette.CreateHalftone(4);
    PixelBuffer image = Row8({9, 9, 9});
    EXPECT_EQ(CompactPalette(image.View(), palette), 214);
    ASSERT_EQ(palette.Entries(), 2);
    EXPECT_EQ(palette.rgbR(0), 153); // old entry 9 = (153, 51, 0)
    EXPECT_EQ(palette.rgbG(0), 51);
    EXPECT_EQ(palette.rgbR(1), 0); // old entry 0
    EXPECT_EQ(image.View().Row(0)[2], 0);
}

TEST(CompactPalette, ChangesNothingWhenEveryEntryIsUsedOrTheImageIsNotEightBit) {
    cPal8bpp palette;
    palette.CreateGreyScale(0);
    PixelBuffer image = Row8({1, 0});
    EXPECT_EQ(CompactPalette(image.View(), palette), 0);
    EXPECT_EQ(palette.Entries(), 2);
    EXPECT_EQ(image.View().Row(0)[0], 1);
    PixelBuffer deep(2, 2, 32);
    EXPECT_EQ(CompactPalette(deep.View(), palette), 0);
    EXPECT_EQ(palette.Entries(), 2);
}

} // namespace
} // namespace qel
