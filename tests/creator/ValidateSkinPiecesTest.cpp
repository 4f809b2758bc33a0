#include "creator/sheet/ValidateSkinPieces.h"

#include <gtest/gtest.h>

#include <vector>

namespace qel {
namespace {

void Resize(SkinDocument& d, Piece piece, std::vector<int> variants, int width, int height) {
    for (int v : variants) {
        d.PieceBox(piece, v).width = width;
        d.PieceBox(piece, v).height = height;
    }
}

std::string Prompt(const std::string& message) {
    return message + "\r\n\r\nThis is not allowed.";
}

TEST(ValidateSkinPieces, PassesMatchingSizesWhateverTheTopMiddleAndRightAre) {
    SkinDocument d;
    Resize(d, Piece::TopMiddle, {2}, 5, 50);
    Resize(d, Piece::TopRight, {3, 4}, 9, 3);
    Resize(d, Piece::TopLeft, {3, 4}, 21, 33); // the plain band is independent
    int shown = 0;
    EXPECT_TRUE(ValidateSkinPieces(d, [&](const std::string&) { ++shown; }));
    EXPECT_EQ(shown, 0);
}

TEST(ValidateSkinPieces, ReportsTheFirstFailingComparisonOnly) {
    SkinDocument d;
    Resize(d, Piece::TopLeft, {3}, 22, 20); // row 1 at variant 3
    Resize(d, Piece::TopLeft, {4}, 21, 19); // row 3 would fail too
    std::vector<std::string> shown;
    EXPECT_FALSE(ValidateSkinPieces(d, [&](const std::string& s) { shown.push_back(s); }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], Prompt("The Top Left graphics are not the same width on all forms."));

    Resize(d, Piece::TopLeft, {3}, 21, 20);
    EXPECT_EQ(PieceSizeFault(d), Prompt("The Active and In-Active Top Left graphics are not the "
                                        "same height on the Form with  No Menu screens."));
}

TEST(ValidateSkinPieces, ComparesEachVariantsCornersWithItsOwnSides) {
    SkinDocument d;
    // The right sides agree with each other and with their fixed corners, but
    // not with the left side.
    Resize(d, Piece::RightSide, {1, 2, 3, 4}, 12, 15);
    Resize(d, Piece::BtmRight, {1, 2, 3, 4}, 12, 15);
    EXPECT_EQ(PieceSizeFault(d), Prompt("The Corner graphics are not the same Width."));

    SkinDocument sizable;
    Resize(sizable, Piece::BtmLeftSize, {1, 2, 3, 4}, 30, 30); // never compared with the sides
    EXPECT_EQ(PieceSizeFault(sizable), "");
    Resize(sizable, Piece::BtmMid, {1, 2, 3, 4}, 11, 16);
    EXPECT_EQ(PieceSizeFault(sizable),
              Prompt("The Bottom Middle graphics are not the same Height as the Bottom Buttons."));
}

TEST(ValidateSkinPieces, ButtonsMustAllHaveTheNormalCloseSize) {
    SkinDocument d;
    d.ButtonBox(CaptionButton::Restore, 4).width = 17;
    EXPECT_EQ(PieceSizeFault(d),
              Prompt("The Restore Button graphics are not the same Width as all other buttons."));
    d.ButtonBox(CaptionButton::Close, 2).height = 1;
    EXPECT_EQ(PieceSizeFault(d), Prompt("The Close Button graphics are not the same Height."));
}

} // namespace
} // namespace qel
