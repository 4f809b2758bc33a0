// The palette's GDI side and the module procedures on DIB sections.
#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/mDither8bpp.h"
#include "imaging/mGIFSave.h"
#include "tests/imaging/GdiHelpers.h"
#include "tests/imaging/TestFiles.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// Every builder leaves a GDI palette of exactly its entries; the nearest
// colour agrees with the platform's answer.
TEST(GdiPalette, HoldsTheEntriesAndAgreesWithThePlatformOnNearestColours) {
    cDIB image = test::Gradient(30, 30);
    cPal8bpp palette;
    auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        ASSERT_NE(palette.hPal(), nullptr);
        PALETTEENTRY entries[256];
        ASSERT_EQ(GetPaletteEntries(palette.hPal(), 0, 256, entries),
                  static_cast<UINT>(palette.Entries()));
        for (int i = 0; i < palette.Entries(); ++i) {
            auto e = static_cast<uint8_t>(i);
            ASSERT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue),
                      RGB(palette.rgbR(e), palette.rgbG(e), palette.rgbB(e)));
        }
        uint32_t seed = 12345;
        for (int n = 0; n < 3000; ++n) {
            seed = seed * 1103515245 + 12345;
            auto r = static_cast<uint8_t>(seed >> 8), g = static_cast<uint8_t>(seed >> 16),
                 b = static_cast<uint8_t>(seed >> 24);
            ASSERT_EQ(palette.ClosestIndex(r, g, b),
                      GetNearestPaletteIndex(palette.hPal(), RGB(r, g, b)))
                << int(r) << "," << int(g) << "," << int(b);
        }
    };
    palette.CreateEGA();
    check("EGA");
    palette.CreateWebsafe(); // 216 and the first standard entry are both black
    check("websafe");
    palette.CreateHalftone(2);
    check("halftone");
    palette.CreateGreyScale(1);
    check("grey");
    ASSERT_TRUE(palette.CreateOptimal(image.View(), 50, 8, 1, 1, 1));
    check("optimal");
    palette.Initialize(4);
    EXPECT_EQ(palette.hPal(), nullptr);
}

TEST(DibModules, DitherTo8bppRecreatesTheDestinationWithThePaletteAsColourTable) {
    std::string path = test::ImagingOutputPath("dib/dither-source.bmp");
    test::WriteGradientBmp(path, 9, 7);
    cDIB loaded, source, dest = test::Gradient(2, 2);
    ASSERT_EQ(loaded.CreateFromBitmapFile(path), 24);
    auto picture = loaded.Image();
    ASSERT_GT(source.CreateFromStdPicture(picture.get(), true), 8);
    cPal8bpp palette;
    SetPaletteType(PaletteType::Optimal);
    SetDitherMethod(DitherMethod::Nearest);
    ASSERT_TRUE(DitherTo8bpp(source, dest, palette));
    EXPECT_EQ(dest.BPP(), 8);
    EXPECT_EQ(dest.Width(), 9);
    std::vector<uint8_t> table;
    dest.GetPalette(table);
    EXPECT_EQ(table, std::vector<uint8_t>(palette.lpPalette(), palette.lpPalette() + 1024));
    // Every pixel is the entry nearest to its level colour, top row first.
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            uint32_t c = test::GradientColour(x, y);
            auto level = [](uint32_t v) { return static_cast<uint8_t>((v * 2 + 17) / 34 * 17); };
            ASSERT_EQ(
                dest.View().Row(y)[x],
                palette.ClosestIndex(level(c >> 16 & 0xFF), level(c >> 8 & 0xFF), level(c & 0xFF)));
        }
    // A source that is not 32 bits per pixel leaves everything as it was.
    EXPECT_FALSE(DitherTo8bpp(loaded, dest, palette));
    EXPECT_EQ(dest.Width(), 9);
    EXPECT_FALSE(DitherTo8bpp(dest, dest, palette));
}

TEST(DibModules, CompactPaletteGivesTheImageTheCompactedColourTable) {
    cDIB image;
    ASSERT_TRUE(image.Create(4, 1, 8));
    cPal8bpp palette;
    palette.CreateHalftone(4);
    image.SetPalette({palette.lpPalette(), 1024});
    uint8_t* row = image.View().Row(0);
    row[0] = 7;
    row[1] = 3;
    row[2] = 3;
    row[3] = 7;
    EXPECT_EQ(CompactPalette(image, palette), 214);
    EXPECT_EQ(image.View().Row(0)[0], 1);
    std::vector<uint8_t> table;
    image.GetPalette(table);
    EXPECT_EQ(std::vector<uint8_t>(table.begin(), table.begin() + 8),
              (std::vector<uint8_t>{0, 0, 153, 0, 0, 51, 51, 0}));
    EXPECT_EQ(GetPixel(image.hDIBDC(), 0, 0), RGB(51, 51, 0));
}

TEST(DibModules, SaveGifWritesTheSectionTopRowFirst) {
    std::string bmp = test::ImagingOutputPath("dib/gif-source.bmp");
    test::WriteGradientBmp(bmp, 5, 3);
    cDIB loaded, source, indexed;
    ASSERT_EQ(loaded.CreateFromBitmapFile(bmp), 24);
    auto picture = loaded.Image();
    source.CreateFromStdPicture(picture.get(), true);
    cPal8bpp palette;
    SetPaletteType(PaletteType::Optimal);
    SetDitherMethod(DitherMethod::Nearest);
    ASSERT_TRUE(DitherTo8bpp(source, indexed, palette));
    std::string gif = test::ImagingOutputPath("dib/sheet.gif");
    ASSERT_TRUE(SaveGIF(gif, indexed, palette, -1, false, ""));
    EXPECT_FALSE(SaveGIF(gif, source, palette, -1, false, "")); // 32 bits: refused
    std::vector<uint8_t> expected;
    ASSERT_EQ(EncodeGIF(indexed.View(), palette, {}, expected), GifError::None);
    EXPECT_EQ(test::ReadFileBytes(gif), expected);
}

} // namespace
} // namespace qel
