#include "creator/editor/GraphicPickers.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qel {
namespace {

TEST(GraphicPickers, ProposeThePageVariantAndEveryVariantStillWithoutThePiece) {
    SkinDocument d;
    d.ItemData(2, Piece::LeftSide) = kHasGraphic;
    d.ItemData(1, Piece::LeftSide) = kHasGraphic;
    EXPECT_EQ(ProposedUpdate(d, PageVariant(1), Piece::LeftSide),
              (PieceUpdate{true, true, false, true, 0}));
    EXPECT_EQ(ProposedUpdate(d, PageVariant(3), Piece::TopLeft),
              (PieceUpdate{true, true, true, true, 0}));
    EXPECT_EQ(ProposedUpdate(d, 4, Piece::BtmRight).cornerKind, 1);
    EXPECT_EQ(ProposedUpdate(d, 4, Piece::BtmLeftSize).cornerKind, 2);
    EXPECT_EQ(PiecePickerTitle(Piece::LeftSide), "Get Left Side graphic");
    EXPECT_EQ(ButtonPickerTitle(CaptionButton::Maximize), "Get Maximize Button Graphic");
    EXPECT_THROW(PageVariant(5), std::out_of_range);
}

TEST(GraphicPickers, AButtonGraphicIsTaggedAndMarksTheSkinModified) {
    SkinDocument d;
    AssignButtonGraphic(d, CaptionButton::Restore, 2, SheetImage(30, 25, 7));
    const GraphicBox& box = d.ButtonBox(CaptionButton::Restore, 2);
    EXPECT_EQ(box.width, 30);
    EXPECT_EQ(box.tag, "99");
    EXPECT_TRUE(d.SkinModified);
    const SkinDocument before = d;
    EXPECT_THROW(AssignButtonGraphic(d, CaptionButton::Close, 1, SheetImage(5000, 2)),
                 std::invalid_argument);
    EXPECT_EQ(d, before);
}

} // namespace
} // namespace qel
