#include "imaging/cPal8bpp.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <tuple>

namespace qel {
namespace {

using Rgb = std::tuple<int, int, int>;

Rgb Entry(const cPal8bpp& p, int i) {
    auto e = static_cast<uint8_t>(i);
    return {p.rgbR(e), p.rgbG(e), p.rgbB(e)};
}

// A 32-bit image from a list of colours (red, green, blue), one row.
PixelBuffer Row32(const std::vector<Rgb>& colours) {
    PixelBuffer image(static_cast<int32_t>(colours.size()), 1, 32);
    uint8_t* p = image.View().Row(0);
    for (const auto& [r, g, b] : colours) {
        p[0] = static_cast<uint8_t>(b);
        p[1] = static_cast<uint8_t>(g);
        p[2] = static_cast<uint8_t>(r);
        p += 4;
    }
    return image;
}

TEST(Palette, HalftoneCubesRunRedFastestAndEndWhite) {
    cPal8bpp p;
    const int expectedEntries[] = {8, 27, 64, 125, 216};
    const int secondValue[] = {255, 128, 85, 64, 51};
    for (int levels = 0; levels <= 4; ++levels) {
        ASSERT_TRUE(p.CreateHalftone(levels));
        EXPECT_EQ(p.Entries(), expectedEntries[levels]);
        EXPECT_EQ(Entry(p, 1), Rgb(secondValue[levels], 0, 0));
        EXPECT_EQ(Entry(p, p.Entries() - 1), Rgb(255, 255, 255));
    }
    EXPECT_EQ(Entry(p, 0), Rgb(0, 0, 0));
    EXPECT_EQ(Entry(p, 6), Rgb(0, 51, 0));
    EXPECT_EQ(Entry(p, 36), Rgb(0, 0, 51));
    EXPECT_EQ(Entry(p, 1 + 2 * 6 + 3 * 36), Rgb(51, 102, 153));
}

TEST(Palette, WebsafeHoldsTheStandardColoursTheCubeAndGreys) {
    cPal8bpp p;
    p.CreateWebsafe();
    ASSERT_EQ(p.Entries(), 256);
    EXPECT_EQ(Entry(p, 1), Rgb(128, 0, 0));
    EXPECT_EQ(Entry(p, 7), Rgb(192, 192, 192));
    EXPECT_EQ(Entry(p, 248), Rgb(128, 128, 128));
    EXPECT_EQ(Entry(p, 255), Rgb(255, 255, 255));
    EXPECT_EQ(Entry(p, 8), Rgb(51, 0, 0));
    EXPECT_EQ(Entry(p, 216), Rgb(0, 0, 0));
    EXPECT_EQ(Entry(p, 217), Rgb(8, 8, 8));
    EXPECT_EQ(Entry(p, 247), Rgb(248, 248, 248));
    // 8 ... 215: the rest of the cube, each colour once, none a standard colour.
    std::set<Rgb> cube, standard;
    for (int i = 0; i < 8; ++i) {
        standard.insert(Entry(p, i));
        standard.insert(Entry(p, 248 + i));
    }
    for (int i = 8; i <= 215; ++i) {
        auto [r, g, b] = Entry(p, i);
        EXPECT_TRUE(r % 51 == 0 && g % 51 == 0 && b % 51 == 0) << i;
        EXPECT_FALSE(standard.count(Entry(p, i))) << i;
        cube.insert(Entry(p, i));
    }
    EXPECT_EQ(cube.size(), 208u);
}

TEST(Palette, EgaHasTheSixteenStandardColours) {
    cPal8bpp p;
    p.CreateEGA();
    ASSERT_EQ(p.Entries(), 16);
    EXPECT_EQ(Entry(p, 3), Rgb(128, 128, 0));
    EXPECT_EQ(Entry(p, 9), Rgb(255, 0, 0));
    EXPECT_EQ(Entry(p, 14), Rgb(0, 255, 255));
    EXPECT_EQ(p.ClosestIndex(255, 0, 0), 9);
    EXPECT_EQ(p.ClosestIndex(250, 10, 5), 9);
    EXPECT_EQ(p.ClosestIndex(100, 100, 100), 8);
    EXPECT_FALSE(p.IsGreyScale());
}

TEST(Palette, GreyScalesCountTheEntriesTheyBuild) {
    cPal8bpp p;
    const int entries[] = {2, 16, 256}, step[] = {255, 17, 1};
    for (int levels = 0; levels <= 2; ++levels) {
        ASSERT_TRUE(p.CreateGreyScale(levels));
        EXPECT_EQ(p.Entries(), entries[levels]);
        EXPECT_EQ(Entry(p, 1), Rgb(step[levels], step[levels], step[levels]));
        EXPECT_EQ(Entry(p, entries[levels] - 1), Rgb(255, 255, 255));
        EXPECT_TRUE(p.IsGreyScale());
        EXPECT_EQ(p.ClosestIndex(255, 255, 255), entries[levels] - 1);
    }
}

TEST(Palette, OutOfRangeLevelsCountsAndSizesAreRefusedAndChangeNothing) {
    cPal8bpp p;
    p.CreateEGA();
    EXPECT_FALSE(p.CreateGreyScale(3));
    EXPECT_FALSE(p.CreateGreyScale(-1));
    EXPECT_FALSE(p.CreateHalftone(5));
    EXPECT_FALSE(p.Initialize(257));
    EXPECT_FALSE(p.Initialize(-1));
    EXPECT_FALSE(p.Entries(300));
    EXPECT_FALSE(p.SetPalette(std::vector<uint8_t>(257 * 4, 7)));
    EXPECT_EQ(p.Entries(), 16);
    EXPECT_EQ(Entry(p, 9), Rgb(255, 0, 0));
    EXPECT_EQ(p.ClosestIndex(255, 0, 0), 9);

    EXPECT_TRUE(p.Entries(256));
    EXPECT_EQ(p.Entries(), 256);
    EXPECT_EQ(Entry(p, 255), Rgb(0, 0, 0));
}

TEST(Palette, SetAndGetPaletteCopyWholeEntriesWithoutALogicalPalette) {
    cPal8bpp p;
    p.CreateEGA();
    ASSERT_TRUE(p.SetPalette(std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0, 9}));
    EXPECT_EQ(p.Entries(), 2); // the ninth byte makes no entry
    EXPECT_EQ(Entry(p, 1), Rgb(6, 5, 4));
    EXPECT_EQ(Entry(p, 2), Rgb(0, 0, 0));
    std::vector<uint8_t> back;
    p.GetPalette(back);
    EXPECT_EQ(back, (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));
    EXPECT_THROW(p.ClosestIndex(1, 2, 3), std::logic_error);
    p.BuildLogicalPalette();
    EXPECT_EQ(p.ClosestIndex(6, 5, 5), 1);
}

TEST(Palette, NearestColourComesFromTheSnapshotAndPrefersTheFirstOfEqualEntries) {
    cPal8bpp p;
    // Entries 0 and 2 are the same colour; 1 and 3 lie as far from grey 100.
    ASSERT_TRUE(p.SetPalette(std::vector<uint8_t>{10, 10, 10, 0, 90, 90, 90, 0, //
                                                  10, 10, 10, 0, 110, 110, 110, 0}));
    p.BuildLogicalPalette();
    EXPECT_EQ(p.ClosestIndex(12, 12, 12), 0);
    EXPECT_EQ(p.ClosestIndex(100, 100, 100), 1);
    // Editing the table afterwards leaves the snapshot, but ClosestColor reads the table.
    p.rgbR(1, 200);
    EXPECT_EQ(p.ClosestIndex(100, 100, 100), 1);
    uint8_t r, g, b;
    p.ClosestColor(100, 100, 100, r, g, b);
    EXPECT_EQ(Rgb(r, g, b), Rgb(200, 90, 90));
}

TEST(Palette, GreyScaleNeedsEntriesAndGreyOnesOnly) {
    cPal8bpp p;
    EXPECT_FALSE(p.IsGreyScale());
    p.CreateGreyScale(1);
    p.rgbB(3, 1);
    EXPECT_FALSE(p.IsGreyScale());
    p.Entries(3); // the coloured entry is no longer in use
    EXPECT_TRUE(p.IsGreyScale());
}

TEST(Palette, OptimalPaletteOfOneColourHasThatColour) {
    cPal8bpp p;
    PixelBuffer image = Row32(std::vector<Rgb>(50, Rgb(12, 200, 99)));
    ASSERT_TRUE(p.CreateOptimal(image.View(), 256, 8, 1, 1, 1));
    ASSERT_EQ(p.Entries(), 1);
    EXPECT_EQ(Entry(p, 0), Rgb(12, 200, 99));
    EXPECT_EQ(p.ClosestIndex(0, 0, 0), 0);
}

TEST(Palette, OptimalPaletteFollowsNodeNumbersNotTreeOrder) {
    // Blue arrives first, so its leaf has the lower node number, although red
    // takes the lower child slot.
    cPal8bpp p;
    PixelBuffer image = Row32({{0, 0, 255}, {255, 0, 0}, {0, 0, 255}});
    ASSERT_TRUE(p.CreateOptimal(image.View(), 256, 8, 1, 1, 1));
    ASSERT_EQ(p.Entries(), 2);
    EXPECT_EQ(Entry(p, 0), Rgb(0, 0, 255));
    EXPECT_EQ(Entry(p, 1), Rgb(255, 0, 0));
}

TEST(Palette, OptimalEntriesAreMeansRoundedHalfToEven) {
    cPal8bpp p;
    // Depth 1: everything below the middle of each channel shares one leaf.
    PixelBuffer image = Row32({{10, 0, 0}, {11, 0, 0}, {201, 0, 0}, {202, 0, 0}});
    ASSERT_TRUE(p.CreateOptimal(image.View(), 256, 1, 1, 1, 1));
    ASSERT_EQ(p.Entries(), 2);
    EXPECT_EQ(Entry(p, 0), Rgb(10, 0, 0));  // 10.5
    EXPECT_EQ(Entry(p, 1), Rgb(202, 0, 0)); // 201.5
}

TEST(Palette, OptimalPaletteKeepsToTheColoursAsked) {
    std::vector<Rgb> colours;
    for (int i = 0; i < 4000; ++i)
        colours.emplace_back(i % 256, (i * 7) % 256, (i * 13) % 256);
    PixelBuffer image = Row32(colours);
    cPal8bpp p;
    for (int asked : {256, 100, 16, 9}) {
        ASSERT_TRUE(p.CreateOptimal(image.View(), asked, 8, 1, 1, 1));
        EXPECT_LE(p.Entries(), asked);
        EXPECT_GT(p.Entries(), 1);
    }
    // The root is never merged: with colours in all eight octants, asking for
    // fewer than eight still leaves one entry per octant.
    ASSERT_TRUE(p.CreateOptimal(image.View(), 2, 8, 1, 1, 1));
    EXPECT_EQ(p.Entries(), 8);
}

TEST(Palette, OptimalWeightsDecideTheSplit) {
    // A red weight of 0 puts every red in the lower half: at depth 1 the two
    // colours fall into one leaf; with weight 1 into two.
    PixelBuffer image = Row32({{20, 0, 0}, {240, 0, 0}});
    cPal8bpp p;
    ASSERT_TRUE(p.CreateOptimal(image.View(), 256, 1, 0, 1, 1));
    ASSERT_EQ(p.Entries(), 1);
    EXPECT_EQ(Entry(p, 0), Rgb(130, 0, 0));
    ASSERT_TRUE(p.CreateOptimal(image.View(), 256, 1, 1, 1, 1));
    EXPECT_EQ(p.Entries(), 2);
}

TEST(Palette, OptimalRefusesOtherDepthsAndArgumentsOutOfRange) {
    cPal8bpp p;
    p.CreateEGA();
    PixelBuffer eight(4, 4, 8);
    PixelBuffer image = Row32({{1, 2, 3}});
    EXPECT_FALSE(p.CreateOptimal(eight.View(), 256, 8, 1, 1, 1));
    EXPECT_FALSE(p.CreateOptimal(image.View(), 0, 8, 1, 1, 1));
    EXPECT_FALSE(p.CreateOptimal(image.View(), 257, 8, 1, 1, 1));
    EXPECT_FALSE(p.CreateOptimal(image.View(), 256, 0, 1, 1, 1));
    EXPECT_FALSE(p.CreateOptimal(image.View(), 256, 9, 1, 1, 1));
    EXPECT_EQ(p.Entries(), 16);
    EXPECT_EQ(Entry(p, 9), Rgb(255, 0, 0));
}

} // namespace
} // namespace qel
