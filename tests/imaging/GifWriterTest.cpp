#include "imaging/mGIFSave.h"
#include "tests/imaging/GifCases.h"
#include "tests/imaging/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qel {
namespace {

using Bytes = std::vector<uint8_t>;

std::unique_ptr<cPal8bpp> Grey(int entries) {
    Bytes table;
    for (int i = 0; i < entries; ++i)
        table.insert(table.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
    auto p = std::make_unique<cPal8bpp>();
    p->SetPalette(table);
    return p;
}

PixelBuffer Filled(int width, int height, uint8_t index) {
    PixelBuffer image(width, height, 8);
    PixelView v = image.View();
    for (int y = 0; y < height; ++y)
        std::fill(v.Row(y), v.Row(y) + width, index);
    return image;
}

Bytes Encode(PixelBuffer& image, const cPal8bpp& palette, const GifOptions& options = {}) {
    Bytes out;
    EXPECT_EQ(EncodeGIF(image.View(), palette, options, out), GifError::None);
    return out;
}

// Where the image descriptor starts, after the header, the colour table and
// any extension blocks.
size_t ImageSeparatorAt(const Bytes& gif) {
    size_t at = 13 + 3 * (size_t{2} << (gif[10] & 7));
    while (gif.at(at) == 0x21) {
        at += 2;
        while (gif.at(at) != 0)
            at += gif[at] + 1;
        ++at;
    }
    return at;
}

// The lengths of the image data's sub-blocks.
std::vector<int> DataBlockLengths(const Bytes& gif) {
    std::vector<int> lengths;
    size_t at = ImageSeparatorAt(gif) + 11;
    while (gif.at(at) != 0) {
        lengths.push_back(gif[at]);
        at += gif[at] + 1;
    }
    EXPECT_EQ(at + 2, gif.size());
    return lengths;
}

TEST(GifWriter, WritesTheSmallestImageByteForByte) {
    PixelBuffer image = Filled(1, 1, 1);
    auto palette = Grey(2);
    palette->rgbR(1, 0xAA);
    // Codes of 3 bits: clear 4, pixel 1, end 5 = 100 001 101, low bits first.
    Bytes expected = {'G',  'I',  'F',  '8',  '7', 'a', 1, 0, 1, 0,    0xF0, 0, 0, //
                      0,    0,    0,    0xAA, 1,   1,                              //
                      0x2C, 0,    0,    0,    0,   1,   0, 1, 0, 0x00, 2,          //
                      2,    0x4C, 0x01, 0,    0x3B};
    EXPECT_EQ(Encode(image, *palette), expected);
}

TEST(GifWriter, SizesTheColourTableAndCodesByTheEntryCount) {
    struct Expect {
        int entries, tableEntries, packed, minCodeSize;
    };
    for (Expect e : {Expect{2, 2, 0xF0, 2}, Expect{3, 4, 0xF1, 2}, Expect{17, 32, 0xF4, 5},
                     Expect{256, 256, 0xF7, 8}}) {
        SCOPED_TRACE(e.entries);
        auto palette = Grey(e.entries);
        PixelBuffer image = Filled(3, 2, static_cast<uint8_t>(e.entries - 1));
        Bytes gif = Encode(image, *palette);
        EXPECT_EQ(gif[10], e.packed);
        size_t table = 13, separator = table + 3 * static_cast<size_t>(e.tableEntries);
        ASSERT_EQ(gif[separator], 0x2C);
        EXPECT_EQ(gif[table + 3 * (e.entries - 1)], e.entries - 1);
        // Entries beyond the palette are black.
        EXPECT_TRUE(std::all_of(gif.begin() + static_cast<ptrdiff_t>(table + 3 * e.entries),
                                gif.begin() + static_cast<ptrdiff_t>(separator),
                                [](uint8_t b) { return b == 0; }));
        EXPECT_EQ(gif[separator + 9], e.packed & 7); // no local table, not interlaced
        EXPECT_EQ(gif[separator + 10], e.minCodeSize);
    }
}

TEST(GifWriter, ChoosesTheVersionAndExtensionBlocksByTheOptions) {
    auto palette = Grey(4);
    PixelBuffer image = Filled(2, 2, 3);
    Bytes plain = Encode(image, *palette);
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + 6), "GIF87a");
    EXPECT_EQ(ImageSeparatorAt(plain), 13u + 12);

    Bytes transparent = Encode(image, *palette, {0, false, ""});
    EXPECT_EQ(std::string(transparent.begin(), transparent.begin() + 6), "GIF89a");
    EXPECT_EQ(Bytes(transparent.begin() + 25, transparent.begin() + 34),
              (Bytes{0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x2C}));

    Bytes commented = Encode(image, *palette, {-1, false, "hi"});
    EXPECT_EQ(std::string(commented.begin(), commented.begin() + 6), "GIF89a");
    EXPECT_EQ(Bytes(commented.begin() + 25, commented.begin() + 32),
              (Bytes{0x21, 0xFE, 2, 'h', 'i', 0, 0x2C}));

    // Both: the comment first, then the graphic control block with the index.
    Bytes both = Encode(image, *palette, {3, true, "x"});
    EXPECT_EQ(Bytes(both.begin() + 25, both.begin() + 39),
              (Bytes{0x21, 0xFE, 1, 'x', 0, 0x21, 0xF9, 4, 1, 0, 0, 3, 0, 0x2C}));
    EXPECT_EQ(both[39 + 8], 0x40 | 1); // interlaced, table of 2^2
}

TEST(GifWriter, SplitsLongCommentsIntoSubBlocks) {
    auto palette = Grey(2);
    PixelBuffer image = Filled(1, 1, 0);
    std::string comment(600, 'c');
    Bytes gif = Encode(image, *palette, {-1, false, comment});
    size_t at = 13 + 6;
    ASSERT_EQ(gif[at], 0x21);
    ASSERT_EQ(gif[at + 1], 0xFE);
    EXPECT_EQ(gif[at + 2], 255);
    EXPECT_EQ(gif[at + 2 + 256], 255);
    EXPECT_EQ(gif[at + 2 + 512], 90);
    EXPECT_EQ(gif[at + 2 + 512 + 91], 0);
    EXPECT_EQ(gif[at + 2 + 512 + 92], 0x2C);
}

TEST(GifWriter, SplitsImageDataIntoSubBlocksOf254Bytes) {
    std::vector<test::GifCase> cases = test::MakeGifCases();
    for (auto& c : cases) {
        if (c.name != "p256_noise_301x211" && c.name != "p2_1x1") continue;
        Bytes gif = Encode(c.pixels, *c.Palette(), {c.transparentIndex, c.interlaced, c.comment});
        std::vector<int> lengths = DataBlockLengths(gif);
        ASSERT_FALSE(lengths.empty());
        for (size_t i = 0; i + 1 < lengths.size(); ++i)
            EXPECT_EQ(lengths[i], 254) << i;
        EXPECT_GE(lengths.back(), 1);
        EXPECT_LE(lengths.back(), 254);
        if (c.name == "p256_noise_301x211") {
            EXPECT_GT(lengths.size(), 200u);
        }
    }
}

TEST(GifWriter, RefusesWhatItCannotWriteBeforeProducingAnything) {
    Bytes out = {1, 2, 3};
    auto two = Grey(2), one = Grey(1);
    PixelBuffer image = Filled(4, 4, 1);
    PixelBuffer deep(4, 4, 32), wide(32768, 1, 8), high(1, 32768, 8), largest(32767, 1, 8);
    PixelBuffer outside = Filled(4, 4, 2);
    EXPECT_EQ(EncodeGIF(deep.View(), *two, {}, out), GifError::NotEightBitsPerPixel);
    EXPECT_EQ(EncodeGIF(PixelView{}, *two, {}, out), GifError::NotEightBitsPerPixel);
    EXPECT_EQ(EncodeGIF(image.View(), *one, {}, out), GifError::TooFewColours);
    EXPECT_EQ(EncodeGIF(wide.View(), *two, {}, out), GifError::TooLarge);
    EXPECT_EQ(EncodeGIF(high.View(), *two, {}, out), GifError::TooLarge);
    EXPECT_EQ(EncodeGIF(image.View(), *two, {256, false, ""}, out), GifError::BadTransparentIndex);
    // Index 2 with a 2-entry table would be read as the clear code.
    EXPECT_EQ(EncodeGIF(outside.View(), *two, {}, out), GifError::PixelOutsideTable);
    EXPECT_EQ(out, (Bytes{1, 2, 3}));
    EXPECT_EQ(EncodeGIF(largest.View(), *two, {}, out), GifError::None);
    // Indices up to the table size are allowed, even beyond the palette's entries.
    auto three = Grey(3);
    PixelBuffer fourth = Filled(2, 2, 3);
    EXPECT_EQ(EncodeGIF(fourth.View(), *three, {}, out), GifError::None);
}

class SaveGifFile : public testing::Test {
protected:
    void SetUp() override {
        folder_ = test::ImagingOutputPath("savegif/") +
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }
    std::string folder_;
};

TEST_F(SaveGifFile, WritesTheEncodedBytesAndReplacesAnOldFile) {
    auto palette = Grey(4);
    PixelBuffer image = Filled(5, 3, 2);
    std::string path = Path("sheet.gif");
    test::WriteFileBytes(path, Bytes(5000, 'x'));
    ASSERT_TRUE(SaveGIF(path, image.View(), *palette, -1, false, ""));
    Bytes expected;
    ASSERT_EQ(EncodeGIF(image.View(), *palette, {}, expected), GifError::None);
    EXPECT_EQ(test::ReadFileBytes(path), expected);
    EXPECT_EQ(test::FilesIn(folder_), std::vector<std::string>{"sheet.gif"});
}

TEST_F(SaveGifFile, RefusalLeavesAnOldFileUntouched) {
    auto palette = Grey(4), one = Grey(1);
    PixelBuffer image = Filled(5, 3, 2), deep(2, 2, 32);
    std::string path = Path("sheet.gif");
    test::WriteFileBytes(path, Bytes{'o', 'l', 'd'});
    EXPECT_FALSE(SaveGIF(path, deep.View(), *palette, -1, false, ""));
    EXPECT_FALSE(SaveGIF(path, image.View(), *one, -1, false, ""));
    EXPECT_FALSE(SaveGIF(path, image.View(), *palette, 300, false, ""));
    EXPECT_EQ(test::ReadFileBytes(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(test::FilesIn(folder_), std::vector<std::string>{"sheet.gif"});
}

TEST_F(SaveGifFile, FailureToWriteLeavesNoFileBehind) {
    auto palette = Grey(4);
    PixelBuffer image = Filled(5, 3, 2);
    EXPECT_FALSE(SaveGIF(Path("missing folder/sheet.gif"), image.View(), *palette, -1, false, ""));
    // A folder in the way cannot be replaced by the file.
    std::filesystem::create_directories(Path("taken.gif/inside"));
    EXPECT_FALSE(SaveGIF(Path("taken.gif"), image.View(), *palette, -1, false, ""));
    EXPECT_TRUE(std::filesystem::is_directory(Path("taken.gif/inside")));
    EXPECT_EQ(test::FilesIn(folder_), std::vector<std::string>{"taken.gif"});
}

} // namespace
} // namespace qel
