#include "base/PictureFile.h"
#include "tests/support/Screen.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qel {
namespace {

// A 7 x 5 picture whose pixel (x, y) has the colour RGB(30x, 40y, 200).
ComPtr<IPictureDisp> Gradient() {
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 7, 5));
    {
        UniqueDC dc(CreateCompatibleDC(screen.get()));
        Selection sel(dc.get(), bitmap.get());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                SetPixel(dc.get(), x, y, RGB(30 * x, 40 * y, 200));
    }
    return PictureFromBitmap(std::move(bitmap));
}

COLORREF PixelOf(IPictureDisp* picture, int x, int y) {
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    Selection sel(dc.get(), BitmapOfPicture(picture));
    return GetPixel(dc.get(), x, y);
}

TEST(PictureFile, ABitmapPictureSavesAndLoadsBackPixelForPixel) {
    ComPtr<IPictureDisp> picture = Gradient();
    ASSERT_TRUE(picture);
    const std::string path = test::OutputPath("picture-file/gradient.bmp");
    std::string error;
    ASSERT_TRUE(SavePictureFile(picture.get(), path, &error)) << error;
    ComPtr<IPictureDisp> back = LoadPictureFile(path, kAnyPicture, &error);
    ASSERT_TRUE(back) << error;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(PixelOf(back.get(), x, y), RGB(30 * x, 40 * y, 200));
}

TEST(PictureFile, MissingAndForeignFilesAreRefusedWithAReason) {
    std::string error;
    PictureProblem problem = PictureProblem::None;
    EXPECT_FALSE(
        LoadPictureFile(test::OutputPath("picture-file/none.bmp"), kAnyPicture, &error, &problem));
    EXPECT_EQ(problem, PictureProblem::Missing);
    EXPECT_NE(error.find("none.bmp"), std::string::npos);
    const std::string text = test::OutputPath("picture-file/text.gif");
    std::ofstream(text) << "GIF89a but not really";
    EXPECT_FALSE(LoadPictureFile(text, kAnyPicture, &error, &problem));
    EXPECT_EQ(problem, PictureProblem::NotAPicture);
    EXPECT_NE(error.find("Invalid picture"), std::string::npos);
    // A GIF whose header declares 40000 pixels is refused before it is decoded.
    const std::string huge = test::OutputPath("picture-file/huge.gif");
    std::ofstream(huge, std::ios::binary) << std::string("GIF89a\x40\x9c\x40\x9c\0\0\0;", 14);
    EXPECT_FALSE(LoadPictureFile(huge, kAnyPicture, &error, &problem));
    EXPECT_EQ(problem, PictureProblem::TooLarge);
    EXPECT_EQ(error, huge + " is 40000 x 40000 pixels; a picture is at most 32767 pixels a side.");
    // A file over 4 GiB (sparse here) whose first bytes are a picture is too large.
    const std::string big = test::OutputPath("picture-file/big.bmp");
    ASSERT_TRUE(SavePictureFile(Gradient().get(), big));
    std::filesystem::resize_file(big, (uint64_t(1) << 32) + std::filesystem::file_size(big));
    EXPECT_FALSE(LoadPictureFile(big, kAnyPicture, &error, &problem));
    EXPECT_EQ(problem, PictureProblem::TooLarge);
    EXPECT_EQ(error, big + " is 4097 MB; a picture file is at most 64 MB.");
    // A bitmap whose pixels end a file of exactly 64 MB loads after a refusal; a byte more is
    // too large.
    ASSERT_TRUE(SavePictureFile(Gradient().get(), big));
    std::ifstream saved(big, std::ios::binary);
    std::string bmp(std::istreambuf_iterator<char>(saved), {});
    saved.close();
    const uint32_t offset = (64 << 20) - (bmp.size() - 54);
    bmp.replace(10, 4, reinterpret_cast<const char*>(&offset), 4);
    std::ofstream(big, std::ios::binary)
        << bmp.substr(0, 54) << std::string(offset - 54, '\0') << bmp.substr(54);
    ComPtr<IPictureDisp> exact = LoadPictureFile(big, kAnyPicture, &error, &problem);
    ASSERT_TRUE(exact) << error;
    EXPECT_EQ(problem, PictureProblem::None);
    EXPECT_EQ(PixelOf(exact.get(), 6, 4), RGB(180, 160, 200));
    std::filesystem::resize_file(big, (64 << 20) + 1);
    EXPECT_FALSE(LoadPictureFile(big, kAnyPicture, &error, &problem));
    EXPECT_EQ(error, big + " is 65 MB; a picture file is at most 64 MB.");
    std::filesystem::remove(big);
    // A file shorter than its size says (a kernel's, through drive Z:).
    const std::string kernel = "Z:\\sys\\devices\\system\\cpu\\online";
    EXPECT_FALSE(LoadPictureFile(kernel, kAnyPicture, &error, &problem));
    EXPECT_EQ(error, "The file cannot be read: " + kernel);
    // A bitmap the check takes and the platform's decoder refuses: it has no planes.
    ASSERT_TRUE(SavePictureFile(Gradient().get(), big));
    std::fstream(big, std::ios::in | std::ios::out | std::ios::binary).seekp(26).put(0);
    EXPECT_FALSE(LoadPictureFile(big, kAnyPicture, &error, &problem));
    EXPECT_EQ(problem, PictureProblem::NotAPicture);
    EXPECT_EQ(error, "Invalid picture: " + big);
    std::filesystem::remove(big);
}

TEST(PictureFile, SavingWhereNoFolderIsFailsAndWritesNothing) {
    ComPtr<IPictureDisp> picture = Gradient();
    const std::string path = test::OutputPath("picture-file") + "\\no-such-folder\\x.bmp";
    EXPECT_FALSE(SavePictureFile(picture.get(), path));
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(SavePictureFile(nullptr, test::OutputPath("picture-file/none.bmp")));
}

} // namespace
} // namespace qel
