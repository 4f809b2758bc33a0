#include "creator/sheet/SkinFileNames.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(SkinFileNames, NameAndFolderComeFromTheChosenFile) {
    SaveTarget t = SaveTargetOf("C:\\Skins\\My Skin.GIF", "My Skin.GIF");
    EXPECT_EQ(t.folder, "C:\\Skins\\");
    EXPECT_EQ(t.name, "My Skin");
    EXPECT_EQ(t.Bitmap(), "C:\\Skins\\My Skin.bmp");
    EXPECT_EQ(t.Gif(), "C:\\Skins\\My Skin.gif");

    EXPECT_EQ(SaveTargetOf("D:\\Ocean 1.5.bmp", "Ocean 1.5.bmp").name, "Ocean 1");
    EXPECT_EQ(SaveTargetOf("D:\\Ocean.png", "Ocean.png").name, "Ocean");
    EXPECT_EQ(SaveTargetOf("D:\\Ocean", "Ocean").name, "Ocean");
    EXPECT_EQ(SaveTargetOf("x.bmp", "longer title.bmp").folder, "");
}

TEST(SkinFileNames, FilesUnderAnotherNameThanTheChosenOneAreNotChosen) {
    const auto notChosen = [](const std::string& title, bool asGif) {
        return FilesNotChosen(SaveTargetOf("C:\\S\\" + title, title), "C:\\S\\" + title, asGif);
    };
    using Files = std::vector<std::string>;
    EXPECT_EQ(notChosen("Sea.GIF", true), Files{"C:\\S\\Sea.bmp"});
    EXPECT_EQ(notChosen("Sea.bmp", true), Files{"C:\\S\\Sea.gif"});
    EXPECT_EQ(notChosen("Ocean 1.5.gif", true),
              (Files{"C:\\S\\Ocean 1.bmp", "C:\\S\\Ocean 1.gif"}));
}

TEST(SkinFileNames, AnUnnamedSkinPreviewsAsNewSkin) {
    EXPECT_EQ(PreviewName(""), "New Skin");
    EXPECT_EQ(PreviewName("   "), "New Skin");
    EXPECT_EQ(PreviewName(" Ocean"), " Ocean");
}

} // namespace
} // namespace qel
