#include "renderer/MenuText.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(MenuText, TheMnemonicIsTheCharacterAfterTheFirstAmpersand) {
    EXPECT_EQ(MnemonicOf("&File"), "F");
    EXPECT_EQ(MnemonicOf("E&xit"), "x"); // upper-cased by the bar, not here
    EXPECT_EQ(MnemonicOf("Save &as &copy"), "a");
    EXPECT_EQ(MnemonicOf("File&"), "");
    EXPECT_EQ(MnemonicOf("&"), "");
    EXPECT_EQ(MnemonicOf("Plain"), "");
    EXPECT_EQ(MnemonicOf(""), "");
    EXPECT_EQ(MnemonicOf("&&Fi&le"), "&");
}

TEST(MenuText, ThePopupTextSplitsAtTheFirstTab) {
    std::string caption, shortcut;
    SplitAtTab("&Open...\tCtrl+O", caption, shortcut);
    EXPECT_EQ(caption, "&Open...");
    EXPECT_EQ(shortcut, "Ctrl+O");
    SplitAtTab("A\tB\tC", caption, shortcut);
    EXPECT_EQ(caption, "A");
    EXPECT_EQ(shortcut, "B\tC");
    SplitAtTab("No shortcut", caption, shortcut);
    EXPECT_EQ(caption, "No shortcut");
    EXPECT_EQ(shortcut, "");
    SplitAtTab("\tOnly", caption, shortcut);
    EXPECT_EQ(caption, "");
    EXPECT_EQ(shortcut, "Only");
}

} // namespace
} // namespace qel
