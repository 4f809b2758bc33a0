#include "imaging/cDIB.h"
#include "tests/imaging/GdiHelpers.h"
#include "tests/imaging/TestFiles.h"
#include "tests/support/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace qel {
namespace {

using test::GradientColour;
using test::Pixel32;

// A bitmap file of a 40-byte header, `colours` black entries and `pixels` at its
// end, from `offset` when one is given.
std::vector<uint8_t> BmpFile(LONG width, LONG height, WORD bpp, DWORD compression, DWORD colours,
                             const std::vector<uint8_t>& pixels, size_t offset = 0) {
    std::vector<uint8_t> file(offset ? offset : 54 + 4 * colours);
    const BITMAPFILEHEADER header{0x4D42, 0, 0, 0, DWORD(file.size())};
    const BITMAPINFOHEADER info{40, width, height,  1, bpp, compression, DWORD(pixels.size()),
                                0,  0,     colours, 0};
    std::memcpy(file.data(), &header, 14);
    std::memcpy(file.data() + 14, &info, 40);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

TEST(Dib, CreateMakesTopDownZeroedSectionsWithBlackColourTables) {
    cDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 8));
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BPP(), 8);
    EXPECT_EQ(dib.BytesPerScanline(), 4);
    EXPECT_EQ(dib.Size(), 8);
    EXPECT_EQ(GetCurrentObject(dib.hDIBDC(), OBJ_BITMAP), dib.hDIB());
    EXPECT_EQ(std::vector<uint8_t>(dib.lpBits(), dib.lpBits() + 8), std::vector<uint8_t>(8, 0));
    std::vector<uint8_t> table;
    dib.GetPalette(table);
    EXPECT_EQ(table, std::vector<uint8_t>(1024, 0));

    ASSERT_TRUE(dib.Create(10, 10, 24));
    EXPECT_EQ(dib.BytesPerScanline(), 32);
    table = {1, 2};
    dib.GetPalette(table); // no colour table: left as it was
    EXPECT_EQ(table, (std::vector<uint8_t>{1, 2}));
    ASSERT_TRUE(dib.Create(1, 1, 1));
    EXPECT_EQ(dib.BytesPerScanline(), 4);
    dib.GetPalette(table);
    EXPECT_EQ(table.size(), 8u);

    // Row 0 is the top row and lies at lpBits.
    ASSERT_TRUE(dib.Create(4, 3, 32));
    SetPixel(dib.hDIBDC(), 1, 0, RGB(9, 8, 7));
    EXPECT_EQ(dib.lpBits()[4], 7);
    EXPECT_EQ(dib.lpBits()[6], 9);
    EXPECT_EQ(dib.View().bits, dib.lpBits());
}

TEST(Dib, CreateRefusesOddDepthsAndSizesAndRaisesOverflow) {
    cDIB dib;
    EXPECT_FALSE(dib.Create(4, 4, 7));
    EXPECT_FALSE(dib.Create(0, 4, 8));
    EXPECT_FALSE(dib.Create(4, -4, 8));
    EXPECT_EQ(dib.hDIB(), nullptr);
    ASSERT_TRUE(dib.Create(2, 2, 8));
    EXPECT_THROW(dib.Create(0x7FFFFFFF / 32 + 1, 1, 32), std::overflow_error);
    EXPECT_THROW(dib.Create(65536, 65536, 8), std::overflow_error);
    EXPECT_EQ(dib.hDIB(), nullptr);
    EXPECT_EQ(dib.Width(), 0);
}

TEST(Dib, AnEmptyImageDoesNothingAndReportsZero) {
    cDIB dib;
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.Height(), 0);
    EXPECT_EQ(dib.BPP(), 0);
    EXPECT_EQ(dib.Size(), 0);
    EXPECT_EQ(dib.hDIBDC(), nullptr);
    HDC screen = GetDC(nullptr);
    EXPECT_FALSE(dib.Stretch(screen, 0, 0, 5, 5, 0, 0, 0, 0, SRCCOPY));
    EXPECT_FALSE(dib.LoadBlt(screen, 0, 0, 0, 0));
    ReleaseDC(nullptr, screen);
    std::vector<uint8_t> table{5};
    dib.GetPalette(table);
    EXPECT_EQ(table, std::vector<uint8_t>{5});
    EXPECT_FALSE(dib.Cls(0));
    EXPECT_FALSE(dib.Image());
    EXPECT_TRUE(dib.View().empty());
    int32_t x = 7, y = 7, w = 7, h = 7;
    dib.GetBestFitInfo(100, 100, x, y, w, h, true);
    EXPECT_EQ(x + y + w + h, 28);
    cDIB other;
    EXPECT_FALSE(dib.Resize(5, 5, true));
    EXPECT_FALSE(dib.CloneTo(other));
    dib.Destroy();
}

TEST(Dib, BestFitShrinksLargeImagesAndCentresEverything) {
    struct Case {
        int w, h;
        bool stretch;
        int x, y, fw, fh;
    };
    for (Case c : {Case{300, 100, false, 0, 50, 150, 50}, Case{100, 80, false, 25, 35, 100, 80},
                   Case{100, 80, true, 0, 15, 150, 120}, Case{100, 300, false, 50, 0, 50, 150}}) {
        cDIB dib;
        ASSERT_TRUE(dib.Create(c.w, c.h, 8));
        int32_t x, y, w, h;
        dib.GetBestFitInfo(150, 150, x, y, w, h, c.stretch);
        EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{c.x, c.y, c.fw, c.fh}))
            << c.w << "x" << c.h;
    }
}

TEST(Dib, ResizeCropsOrScalesAndKeepsTheColourTable) {
    cDIB dib = test::Gradient(4, 3);
    ASSERT_TRUE(dib.Resize(6, 5, false));
    EXPECT_EQ(dib.Width(), 6);
    EXPECT_EQ(Pixel32(dib, 3, 2), GradientColour(3, 2));
    EXPECT_EQ(Pixel32(dib, 4, 2), 0u);
    EXPECT_EQ(Pixel32(dib, 0, 4), 0u);
    ASSERT_TRUE(dib.Resize(2, 2, false));
    EXPECT_EQ(Pixel32(dib, 1, 1), GradientColour(1, 1));
    ASSERT_TRUE(dib.Resize(4, 6, true)); // each pixel becomes a 2 x 3 block
    EXPECT_EQ(Pixel32(dib, 3, 5), GradientColour(1, 1));
    EXPECT_EQ(Pixel32(dib, 2, 2), GradientColour(1, 0));
    EXPECT_FALSE(dib.Resize(0, 6, true)); // refused: the image stays
    EXPECT_EQ(dib.Width(), 4);

    cDIB eight;
    ASSERT_TRUE(eight.Create(2, 2, 8));
    eight.SetPalette(std::vector<uint8_t>{0, 0, 0, 0, 10, 20, 30, 0, 40, 50, 60, 0});
    eight.lpBits()[0] = 2;
    ASSERT_TRUE(eight.Resize(3, 3, false));
    std::vector<uint8_t> table;
    eight.GetPalette(table);
    EXPECT_EQ(table[9], 50);
    EXPECT_EQ(eight.View().Row(0)[0], 2);
}

TEST(Dib, PicturesAreCopiedAtTheirOwnDepthOrAt32Bits) {
    cDIB source;
    ASSERT_TRUE(source.Create(5, 4, 8));
    source.SetPalette(std::vector<uint8_t>{0, 0, 0, 0, 30, 20, 10, 0, 60, 50, 40, 0});
    source.View().Row(3)[4] = 2;
    source.View().Row(0)[1] = 1;
    // A picture that owns a copy of the section.
    auto picture = test::BitmapPicture(
        static_cast<HBITMAP>(CopyImage(source.hDIB(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(picture);

    cDIB deep;
    EXPECT_EQ(deep.CreateFromStdPicture(picture.get(), true), 8);
    EXPECT_EQ(deep.BPP(), 32);
    EXPECT_EQ(Pixel32(deep, 4, 3), 0x28323Cu);
    EXPECT_EQ(Pixel32(deep, 1, 0), 0x0A141Eu);

    cDIB same;
    EXPECT_EQ(same.CreateFromStdPicture(picture.get(), false), 8);
    EXPECT_EQ(same.BPP(), 8);
    EXPECT_EQ(same.View().Row(3)[4], 2);
    std::vector<uint8_t> table;
    same.GetPalette(table);
    EXPECT_EQ(std::vector<uint8_t>(table.begin() + 4, table.begin() + 8),
              (std::vector<uint8_t>{30, 20, 10, 0}));

    // No bitmap in the picture: nothing made, nothing changed.
    EXPECT_EQ(same.CreateFromStdPicture(test::IconPicture().get(), true), 0);
    EXPECT_EQ(same.CreateFromStdPicture(nullptr, true), 0);
    EXPECT_EQ(same.BPP(), 8);
}

TEST(Dib, BitmapFilesLoadInTheirOwnRowOrderAndReadTopRowFirst) {
    std::string path = test::ImagingOutputPath("dib/gradient.bmp");
    test::WriteGradientBmp(path, 3, 2);
    cDIB dib;
    ASSERT_EQ(dib.CreateFromBitmapFile(path), 24);
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.BytesPerScanline(), 12);
    EXPECT_EQ(dib.Size(), 24);
    // In memory the bottom row comes first; the view starts at the top.
    EXPECT_EQ(dib.lpBits()[1], GradientColour(0, 1) >> 8 & 0xFF);
    EXPECT_EQ(dib.View().Row(0)[1], GradientColour(0, 0) >> 8 & 0xFF);
    EXPECT_EQ(GetPixel(dib.hDIBDC(), 2, 0), RGB(20, 0, 200));
    // A clone is top-down and the right way up.
    cDIB clone;
    ASSERT_TRUE(dib.CloneTo(clone));
    EXPECT_EQ(clone.lpBits()[1], GradientColour(0, 0) >> 8 & 0xFF);
    EXPECT_EQ(GetPixel(clone.hDIBDC(), 2, 1), RGB(20, 10, 200));
    std::vector<uint8_t> file = test::ReadFileBytes(path);
    file[22] = 0xFE, file[23] = file[24] = file[25] = 0xFF; // height -2: the rows top-down
    test::WriteFileBytes(path, file);
    ASSERT_EQ(dib.CreateFromBitmapFile(path), 24);
    EXPECT_EQ(dib.View().Row(0)[1], GradientColour(0, 1) >> 8 & 0xFF);
}

TEST(Dib, RunLengthEncodedBitmapFilesComeOutAsPixels) {
    struct Case {
        WORD bpp;
        DWORD compression;
        std::vector<uint8_t> data; // a run on the bottom row, a line's end, a run, the end
        uint8_t top, bottom;
    };
    const std::string path = test::ImagingOutputPath("dib/rle.bmp");
    for (const Case& c : {Case{8, BI_RLE8, {1, 9, 0, 0, 1, 7, 0, 1}, 7, 9},
                          Case{4, BI_RLE4, {1, 0x90, 0, 0, 1, 0x70, 0, 1}, 0x70, 0x90}}) {
        test::WriteFileBytes(path, BmpFile(1, 2, c.bpp, c.compression, 16, c.data));
        cDIB dib;
        ASSERT_EQ(dib.CreateFromBitmapFile(path), c.bpp);
        EXPECT_EQ(dib.View().Row(0)[0], c.top);
        EXPECT_EQ(dib.View().Row(1)[0], c.bottom);
    }
}

// The file's buffer ends where memory no one may read begins: Wine's heap gives a
// large block the lowest free 64 KB-aligned region that fits, headed by a few bytes.
TEST(Dib, ALastRowWithoutItsPaddingIsNotReadPastTheFile) {
    const size_t region = 40 * 65536;
    const auto block = reinterpret_cast<uintptr_t>(std::vector<uint8_t>(region).data());
    const size_t header = block % 65536;
    void* guard = VirtualAlloc(reinterpret_cast<void*>(block - header + region), 65536, MEM_RESERVE,
                               PAGE_NOACCESS);
    ASSERT_TRUE(guard);
    const std::string path = test::ImagingOutputPath("dib/unpadded.bmp");
    const std::vector<uint8_t> rows{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    test::WriteFileBytes(path, BmpFile(3, 2, 24, BI_RGB, 0, rows, region - header - rows.size()));
    cDIB dib;
    EXPECT_EQ(dib.CreateFromBitmapFile(path), 24);
    EXPECT_EQ(dib.View().Row(0)[8], 1);
    VirtualFree(guard, 0, MEM_RELEASE);
}

TEST(Dib, BitmapFilesThatAreMissingEmptyOrForeignAreRefused) {
    cDIB dib = test::Gradient(2, 2);
    EXPECT_THROW(dib.CreateFromBitmapFile(test::ImagingOutputPath("dib/none.bmp")),
                 std::runtime_error);
    std::string empty = test::ImagingOutputPath("dib/empty.bmp");
    test::WriteFileBytes(empty, {});
    EXPECT_EQ(dib.CreateFromBitmapFile(empty), 0);
    EXPECT_EQ(dib.Width(), 2); // unchanged
    std::string text = test::ImagingOutputPath("dib/text.bmp");
    test::WriteFileBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
    EXPECT_EQ(dib.CreateFromBitmapFile(text), 0);
    EXPECT_EQ(dib.hDIB(), nullptr);
    // A cursor, which the check takes, has its hot spot (0, 0) where a bitmap has its pixel offset.
    std::vector<uint8_t> cursor{0, 0, 2, 0,  1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 56, 0, 0, 0, 22,
                                0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0,  1, 0, 1, 0};
    cursor.resize(78); // a black colour table and pixels, a clear mask
    test::WriteFileBytes(text, cursor);
    EXPECT_EQ(dib.CreateFromBitmapFile(text), 0);
}

TEST(Dib, CloneCopiesPixelsAndColourTableAndFailsIntoNothing) {
    cDIB source;
    ASSERT_TRUE(source.Create(3, 3, 4));
    source.SetPalette(std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0});
    source.View().Row(2)[1] = 0x10;
    cDIB dest = test::Gradient(2, 2);
    ASSERT_TRUE(source.CloneTo(dest));
    EXPECT_EQ(dest.BPP(), 4);
    EXPECT_EQ(dest.View().Row(2)[1], 0x10);
    std::vector<uint8_t> table;
    dest.GetPalette(table);
    EXPECT_EQ(table[4], 4);
    cDIB empty;
    EXPECT_FALSE(empty.CloneTo(dest));
    EXPECT_EQ(dest.hDIB(), nullptr);
}

TEST(Dib, LoadBltCopiesFromTheSamePlaceAndStretchRestoresTheMode) {
    cDIB source = test::Gradient(6, 5);
    cDIB dib;
    ASSERT_TRUE(dib.Create(6, 5, 32));
    EXPECT_TRUE(dib.LoadBlt(source.hDIBDC(), 0, 0, 0, 0));
    EXPECT_EQ(Pixel32(dib, 5, 4), GradientColour(5, 4));
    ASSERT_TRUE(dib.Create(6, 5, 32));
    EXPECT_TRUE(dib.LoadBlt(source.hDIBDC(), 2, 1, 2, 2));
    EXPECT_EQ(Pixel32(dib, 3, 2), GradientColour(3, 2));
    EXPECT_EQ(Pixel32(dib, 4, 2), 0u);

    cDIB target;
    ASSERT_TRUE(target.Create(12, 10, 32));
    SetStretchBltMode(target.hDIBDC(), HALFTONE);
    EXPECT_TRUE(source.Stretch(target.hDIBDC(), 0, 0, 12, 10, 0, 0, 0, 0, SRCCOPY));
    EXPECT_EQ(GetStretchBltMode(target.hDIBDC()), HALFTONE);
    EXPECT_EQ(Pixel32(target, 11, 9), GradientColour(5, 4)); // no blending
    EXPECT_EQ(Pixel32(target, 2, 1), GradientColour(1, 0));
}

TEST(Dib, ClsFillsWithTranslatedColours) {
    cDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 32));
    ASSERT_TRUE(dib.Cls(0x80000000 | COLOR_WINDOWTEXT));
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(Pixel32(dib, 2, 1),
              uint32_t(GetRValue(text)) << 16 | uint32_t(GetGValue(text)) << 8 | GetBValue(text));
    ASSERT_TRUE(dib.Cls(RGB(1, 2, 3)));
    EXPECT_EQ(Pixel32(dib, 0, 0), 0x010203u);
    EXPECT_FALSE(dib.Cls(0x80000000 | 0xFFFF)); // no such system colour
}

TEST(Dib, ImageIsAPictureOfTheSameSizeAndColours) {
    cDIB dib = test::Gradient(7, 4);
    auto picture = dib.Image();
    ASSERT_TRUE(picture);
    cDIB back;
    EXPECT_GT(back.CreateFromStdPicture(picture.get(), true), 8);
    EXPECT_EQ(back.Width(), 7);
    EXPECT_EQ(back.Height(), 4);
    EXPECT_EQ(Pixel32(back, 6, 3), GradientColour(6, 3));
}

TEST(Dib, EveryHandleIsFreed) {
    DWORD before = test::GdiObjectCount();
    {
        cDIB a = test::Gradient(8, 8), b;
        a.CloneTo(b);
        b.Resize(16, 16, true);
        auto picture = a.Image();
        cDIB c;
        c.CreateFromStdPicture(picture.get(), false);
        a.Cls(RGB(1, 1, 1));
        cDIB moved = std::move(b);
        moved.Create(3, 3, 8);
    }
    EXPECT_EQ(test::GdiObjectCount(), before);
}

} // namespace
} // namespace qel
