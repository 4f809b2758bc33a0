// Every GIF case written by SaveGIF and read back by independent decoders:
// giflib here, Pillow and ImageMagick through a script.
#include "imaging/mGIFSave.h"
#include "tests/imaging/GifCases.h"
#include "tests/imaging/TestFiles.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace qel {
namespace {

std::string Hex(const std::string& bytes) {
    std::string out;
    char digits[3];
    for (unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        out += digits;
    }
    return out;
}

// NAME.json and NAME.idx beside NAME.gif, for the script.
void WriteExpectations(const std::string& base, test::GifCase& c) {
    std::ostringstream json;
    json << "{\"width\": " << c.Width() << ", \"height\": " << c.Height() << ", \"table\": [";
    auto table = c.ColourTable();
    for (size_t i = 0; i < table.size(); ++i)
        json << (i ? ", " : "") << "[" << int(table[i][0]) << ", " << int(table[i][1]) << ", "
             << int(table[i][2]) << "]";
    json << "], \"transparent\": " << c.transparentIndex << ", \"comment\": \"" << Hex(c.comment)
         << "\", \"interlaced\": " << (c.interlaced ? "true" : "false") << "}";
    std::string text = json.str();
    test::WriteFileBytes(base + ".json", std::vector<uint8_t>(text.begin(), text.end()));
    test::WriteFileBytes(base + ".idx", c.Indices());
}

void CheckWithGiflib(const std::string& path, test::GifCase& c) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
    EXPECT_EQ(gif->SWidth, c.Width());
    EXPECT_EQ(gif->SHeight, c.Height());
    ASSERT_EQ(gif->ImageCount, 1);
    const SavedImage& image = gif->SavedImages[0];
    EXPECT_EQ(image.ImageDesc.Width, c.Width());
    EXPECT_EQ(image.ImageDesc.Height, c.Height());
    EXPECT_EQ(image.ImageDesc.Interlace, c.interlaced);
    EXPECT_EQ(image.ImageDesc.ColorMap, nullptr);
    auto table = c.ColourTable();
    ASSERT_NE(gif->SColorMap, nullptr);
    ASSERT_EQ(gif->SColorMap->ColorCount, static_cast<int>(table.size()));
    for (size_t i = 0; i < table.size(); ++i) {
        const GifColorType& e = gif->SColorMap->Colors[i];
        EXPECT_EQ((std::array<uint8_t, 3>{e.Red, e.Green, e.Blue}), table[i]) << "entry " << i;
    }
    // DGifSlurp puts interlaced rows back in order.
    std::vector<uint8_t> pixels(image.RasterBits, image.RasterBits + c.Width() * c.Height());
    EXPECT_EQ(pixels, c.Indices());
    GraphicsControlBlock control{};
    bool hasControl = DGifSavedExtensionToGCB(gif, 0, &control) == GIF_OK;
    EXPECT_EQ(hasControl ? control.TransparentColor : -1, c.transparentIndex);
    std::string comment;
    for (int i = 0; i < image.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = image.ExtensionBlocks[i];
        if (block.Function == COMMENT_EXT_FUNC_CODE ||
            (block.Function == CONTINUE_EXT_FUNC_CODE && !comment.empty()))
            comment.append(reinterpret_cast<const char*>(block.Bytes), block.ByteCount);
    }
    EXPECT_EQ(comment, c.comment);
    DGifCloseFile(gif, &error);
}

TEST(GifDecoders, GiflibPillowAndImageMagickReadEveryCaseExactly) {
    std::string folder = test::ImagingOutputPath("gif-cases");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::vector<test::GifCase> cases = test::MakeGifCases();
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string base = folder + "/" + c.name;
        ASSERT_TRUE(SaveGIF(base + ".gif", c.pixels.View(), *c.Palette(), c.transparentIndex,
                            c.interlaced, c.comment));
        WriteExpectations(base, c);
        CheckWithGiflib(base + ".gif", c);
    }
    std::string command = "/usr/bin/python3 " QEL_GIF_CHECK_SCRIPT " '" + folder + "' 2>&1";
    FILE* script = popen(command.c_str(), "r");
    ASSERT_NE(script, nullptr);
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, script))
        output += buffer;
    EXPECT_EQ(pclose(script), 0) << output;
    std::printf("%s", output.c_str());
}

} // namespace
} // namespace qel
