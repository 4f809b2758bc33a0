// Pictures: BMP, GIF and ICO files loaded, pictures saved and read back
// pixel for pixel, and bad files (missing, empty, foreign, truncated, absurdly
// large) refused with a clear error.
#include "forms/Picture.h"
#include "forms/RuntimeError.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <fstream>
#include <vector>

namespace qel::forms {
namespace {

// A 3 x 2 GIF: red, blue, green over green, blue, red.
const uint8_t kGif[] = {0x47, 0x49, 0x46, 0x38, 0x37, 0x61, 0x03, 0x00, 0x02, 0x00, 0x81, 0x00,
                        0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00,
                        0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x02, 0x00, 0x00, 0x08,
                        0x09, 0x00, 0x01, 0x04, 0x10, 0x20, 0x20, 0x00, 0x80, 0x80, 0x00, 0x3B};

std::string Folder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "qel-forms-pictures";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A 16 x 16 icon of 32 bits per pixel: opaque blue.
std::vector<uint8_t> IconFile() {
    const int n = 16;
    std::vector<uint8_t> b = {0, 0, 1, 0, 1, 0, n, n, 0, 0, 1, 0, 32, 0};
    const uint32_t size = 40 + n * n * 4 + n * 4, offset = 22;
    for (uint32_t v : {size, offset})
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    const int32_t header[] = {40, n, 2 * n};
    for (int32_t v : header)
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    const uint8_t rest[] = {1, 0, 32, 0, 0, 0, 0, 0};
    b.insert(b.end(), rest, rest + sizeof rest);
    b.resize(b.size() + 24, 0); // image size, resolutions, colours
    for (int i = 0; i < n * n; ++i)
        b.insert(b.end(), {0xFF, 0x00, 0x00, 0xFF});
    b.resize(b.size() + n * 4, 0); // AND mask: all shown
    return b;
}

// The colour of a picture's pixel, drawn at its own size.
COLORREF PixelOf(IPictureDisp* picture, int x, int y) {
    SIZE size = PictureSize(picture);
    WindowDC screen = WindowDC::Client(nullptr);
    MemorySurface surface(screen.get(), size.cx, size.cy);
    RenderPicture(picture, surface.dc(), {0, 0, size.cx, size.cy});
    return GetPixel(surface.dc(), x, y);
}

long ErrorOf(const std::string& path) {
    try {
        LoadPicture(path, kAnyPicture);
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

TEST(PictureTest, LoadsGifAndIconFiles) {
    std::string folder = Folder();
    Write(folder + "three.gif", {std::begin(kGif), std::end(kGif)});
    Picture gif = LoadPicture(folder + "three.gif", kAnyPicture);
    ASSERT_TRUE(gif);
    EXPECT_EQ(PictureType(gif.get()), PICTYPE_BITMAP);
    EXPECT_EQ(PictureSize(gif.get()).cx, 3);
    EXPECT_EQ(PictureSize(gif.get()).cy, 2);
    EXPECT_EQ(PixelOf(gif.get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(gif.get(), 1, 0), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(gif.get(), 0, 1), RGB(0, 255, 0));

    Write(folder + "blue.ico", IconFile());
    Picture icon = LoadPicture(folder + "blue.ico", kAnyPicture);
    ASSERT_TRUE(icon);
    EXPECT_EQ(PictureType(icon.get()), PICTYPE_ICON);
    EXPECT_EQ(PictureSize(icon.get()).cx, 16);
    EXPECT_EQ(PixelOf(icon.get(), 8, 8), RGB(0, 0, 255));

    // A relative path is taken from the current folder.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(folder.c_str());
    EXPECT_TRUE(LoadPicture("three.gif", kAnyPicture));
    SetCurrentDirectoryA(current);

    EXPECT_FALSE(LoadPicture("", kAnyPicture)) << "no path: no picture";
}

TEST(PictureTest, SavedAsBitmapAndReadBackPixelForPixel) {
    std::string folder = Folder();
    Write(folder + "three.gif", {std::begin(kGif), std::end(kGif)});
    Picture gif = LoadPicture(folder + "three.gif", kAnyPicture);
    std::string bmp = folder + "three.bmp";
    std::ofstream(bmp) << "an older file, replaced";
    SavePicture(gif.get(), bmp);
    std::vector<uint8_t> bytes = Read(bmp);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28], 24) << "24 bits per pixel";

    Picture back = LoadPicture(bmp, kAnyPicture);
    ASSERT_EQ(PictureSize(back.get()).cx, 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelOf(back.get(), x, y), PixelOf(gif.get(), x, y)) << x << "," << y;

    // An icon is written as an icon, as it was loaded.
    Write(folder + "blue.ico", IconFile());
    SavePicture(LoadPicture(folder + "blue.ico", kAnyPicture).get(), folder + "blue-saved.ico");
    Picture saved = LoadPicture(folder + "blue-saved.ico", kAnyPicture);
    EXPECT_EQ(PictureType(saved.get()), PICTYPE_ICON);
    EXPECT_EQ(PixelOf(saved.get(), 3, 3), RGB(0, 0, 255));
}

TEST(PictureTest, SavingWhatCannotBeSavedChangesNothing) {
    std::string folder = Folder();
    try {
        SavePicture(nullptr, folder + "none.bmp");
        FAIL() << "no picture, no file";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kInvalidPicture);
    }
    EXPECT_EQ(GetFileAttributesA((folder + "none.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    Write(folder + "three.gif", {std::begin(kGif), std::end(kGif)});
    Picture gif = LoadPicture(folder + "three.gif", kAnyPicture);
    std::string nowhere = folder + "missing-folder\\x.bmp";
    EXPECT_THROW(SavePicture(gif.get(), nowhere), RuntimeError);
}

TEST(PictureTest, BadFilesAreRefusedWithAClearError) {
    std::string folder = Folder();
    try {
        LoadPicture(folder + "missing.gif", kAnyPicture);
        FAIL() << "a missing file is an error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kFileNotFound);
        EXPECT_NE(std::string(e.what()).find("missing.gif"), std::string::npos);
    }
    EXPECT_EQ(ErrorOf(folder), kFileNotFound) << "a folder is no picture file";

    Write(folder + "empty.bmp", {});
    EXPECT_EQ(ErrorOf(folder + "empty.bmp"), kInvalidPicture);
    std::string text = "this is not a picture at all";
    Write(folder + "text.gif", {text.begin(), text.end()});
    EXPECT_EQ(ErrorOf(folder + "text.gif"), kInvalidPicture);
    Write(folder + "cut.gif", {kGif, kGif + 20});
    EXPECT_EQ(ErrorOf(folder + "cut.gif"), kInvalidPicture);

    // A bitmap header that claims 100000 x 100000 pixels.
    std::vector<uint8_t> huge(54, 0);
    huge[0] = 'B', huge[1] = 'M', huge[14] = 40;
    for (int at : {18, 22}) {
        huge[at] = 0xA0, huge[at + 1] = 0x86, huge[at + 2] = 0x01; // 100000
    }
    huge[26] = 1, huge[28] = 24;
    Write(folder + "huge.bmp", huge);
    EXPECT_EQ(ErrorOf(folder + "huge.bmp"), kInvalidPicture);
}

} // namespace
} // namespace qel::forms
