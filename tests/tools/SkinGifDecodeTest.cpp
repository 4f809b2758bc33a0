// Every skin file decoded by an independent decoder (giflib) gives exactly the
// sheet the generator composed, and carries the skin's name as its comment.
#include "tests/tools/SkinFiles.h"
#include "sheet/SkinSheetGif.h"
#include "tests/sheet/DecodeGif.h"
#include "tools/skins/SkinSheetFile.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace qel {
namespace {

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

std::string CommentOf(const GifFileType* gif) {
    auto find = [](const ExtensionBlock* blocks, int count) -> std::string {
        for (int i = 0; i < count; ++i)
            if (blocks[i].Function == COMMENT_EXT_FUNC_CODE)
                return std::string(reinterpret_cast<const char*>(blocks[i].Bytes),
                                   blocks[i].ByteCount);
        return {};
    };
    std::string comment = find(gif->ExtensionBlocks, gif->ExtensionBlockCount);
    if (comment.empty() && gif->ImageCount > 0)
        comment =
            find(gif->SavedImages[0].ExtensionBlocks, gif->SavedImages[0].ExtensionBlockCount);
    return comment;
}

void CheckDecodes(const SkinTheme& theme) {
    SCOPED_TRACE(theme.name);
    const SheetImage sheet = MakeSkinSheet(theme);
    const std::vector<uint8_t> bytes = SkinSheetGif(sheet, theme.name);
    const std::string path = test::SkinOutputPath(theme.fileName);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));

    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(path.c_str(), &error));
    ASSERT_TRUE(gif) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif.get()), GIF_OK) << GifErrorString(gif->Error);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    ASSERT_EQ(gif->ImageCount, 1);
    EXPECT_EQ(test::DecodeGif(bytes), sheet);
    EXPECT_EQ(CommentOf(gif.get()), theme.name);
}

TEST(SkinFiles, DecodeToExactlyTheComposedSheet) {
    for (const auto& skin : test::AllSkins())
        CheckDecodes(*skin.first);
}

} // namespace
} // namespace qel
