#include "creator/editor/SelectionMarker.h"
#include "creator/editor/GraphicPickers.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(SelectionMarker, MarksThePieceOnThePageVariantsForm) {
    SkinDocument d;
    d.PieceBox(Piece::TopLeft, 3).height = 30;
    d.PieceBox(Piece::BtmLeft, 3).height = 12;
    d.PieceBox(Piece::LeftSide, 3).width = 6;
    const int page = PageVariant(2); // "Active Skin with No Menu"
    EXPECT_EQ(SelectionMarker(d, page, Piece::LeftSide, 312, 206), (SheetRect{0, 30, 6, 164}));
    // Design sizes where no graphic was loaded; the other variants' boxes are not read.
    EXPECT_EQ(SelectionMarker(d, PageVariant(3), Piece::TopMiddle, 312, 206),
              (SheetRect{21, 0, 270, 20}));
    EXPECT_EQ(SelectionMarker(d, 1, Piece::RightSide, 312, 206), (SheetRect{301, 20, 11, 171}));
    EXPECT_EQ(SelectionMarker(d, 1, Piece::BtmMid, 312, 206), (SheetRect{11, 191, 290, 15}));
    d.PieceBox(Piece::BtmLeftSize, 1).width = 40;
    d.PieceBox(Piece::BtmLeftSize, 1).height = 50;
    EXPECT_EQ(SelectionMarker(d, 1, Piece::BtmLeftSize, 312, 206), (SheetRect{0, 156, 40, 50}));
    EXPECT_EQ(SelectionMarker(d, 1, Piece::BtmRightSize, 312, 206), (SheetRect{301, 191, 11, 15}));
}

TEST(SelectionMarker, StaysHiddenWhereThePiecesAroundAreLargerThanTheForm) {
    SkinDocument d;
    EXPECT_FALSE(SelectionMarker(d, 4, Piece::TopMiddle, 41, 206));
    EXPECT_TRUE(SelectionMarker(d, 4, Piece::TopMiddle, 42, 206));
    EXPECT_FALSE(SelectionMarker(d, 4, Piece::LeftSide, 312, 34));
    EXPECT_TRUE(SelectionMarker(d, 4, Piece::TopLeft, 5, 5)); // a corner is never negative
}

} // namespace
} // namespace qel
