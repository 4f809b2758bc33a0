#include "creator/shell/SkinDocument.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qel {
namespace {

TEST(SkinDocument, StartsWithTheDesignDefaults) {
    const SkinDocument d;
    EXPECT_EQ(d.PieceBox(Piece::TopMiddle, 1).width, 71);
    EXPECT_EQ(d.PieceBox(Piece::BtmRightSize, 2).height, 15);
    EXPECT_EQ(d.ButtonBox(CaptionButton::Minimize, 4).width, 18);
    // Swatches 2, 4 and 9 start black but reset to the system's window text colour.
    EXPECT_EQ(d.picColor(Swatch::FormText).backColor, 0u);
    EXPECT_EQ(d.picColor(Swatch::FormText).foreColor, 0x80000008u);
    EXPECT_EQ(d.CheckValue(Option::DrawCaption), 1);
    EXPECT_EQ(d.Text(Field::ButtonLeft), "10");
    EXPECT_THROW(d.PieceBox(Piece::TopLeft, 0), std::out_of_range);
}

TEST(SkinDocument, CaptionTopFieldsMirrorEachOther) {
    SkinDocument d;
    d.SetText(Field::InactiveCaptionTopWithMenu, "7");
    EXPECT_EQ(d.Text(Field::CaptionTopWithMenu), "7");
    d.SetText(Field::CaptionTopNoMenu, "12");
    EXPECT_EQ(d.Text(Field::InactiveCaptionTopNoMenu), "12");
    d.SetText(Field::InactiveCaptionTopNoMenu, "3");
    EXPECT_EQ(d.Text(Field::CaptionTopNoMenu), "3");
    d.SetText(Field::ButtonsTop, "9");
    EXPECT_EQ(d.Text(Field::CaptionTopWithMenu), "7");
}

TEST(SkinDocument, BoxesTakeTheSizeOfALoadedPictureAndKeepItWhenEmptied) {
    GraphicBox box;
    box.width = 5;
    box.height = 4;
    box.Load(SheetImage(3, 2, 0x00123456));
    EXPECT_EQ(box.width, 3);
    EXPECT_EQ(box.height, 2);
    box.width = 4; // a box larger than its picture shows its back colour around it
    const SheetImage shown = box.Shown();
    EXPECT_EQ(shown.Pixel(2, 1), 0x00123456u);
    EXPECT_EQ(shown.Pixel(3, 0), 0x00FF00FFu);
    box.Load({});
    EXPECT_EQ(box.width, 4);
    EXPECT_EQ(box.Shown(), SheetImage(4, 2, 0x00FF00FF));
}

TEST(SkinDocument, ClearingEmptiesTheGraphicsAndResetsTheSwatches) {
    SkinDocument d;
    d.PieceBox(Piece::TopMiddle, 2).Load(SheetImage(40, 30, 1));
    GraphicBox& close = d.ButtonBox(CaptionButton::Close, 3);
    close.Load(SheetImage(30, 25, 2));
    close.tag = "99";
    d.ItemData(2, Piece::TopMiddle) = kHasGraphic;
    d.picColor(Swatch::InactiveMenu) = {0x00111111, 0x00222222}; // a pick started at 0x00222222
    d.picColor(Swatch::ActiveCaption).backColor = 0x00333333;
    d.CheckValue(Option::DrawFormIcon) = 1;
    d.SetText(Field::MenuLeft, "4");
    d.SkinModified = true;
    d.ClearSkinPieces();

    const GraphicBox& middle = d.PieceBox(Piece::TopMiddle, 2);
    EXPECT_TRUE(middle.picture.Empty());
    EXPECT_EQ(middle.width, 40); // piece boxes keep their size
    EXPECT_TRUE(close.picture.Empty());
    EXPECT_EQ(close.width, 18); // caption-button boxes go back to the design size
    EXPECT_EQ(close.height, 16);
    EXPECT_EQ(close.tag, "99");
    EXPECT_EQ(d.ItemData(2, Piece::TopMiddle), kHasGraphic);
    EXPECT_EQ(d.picColor(Swatch::InactiveMenu).backColor, 0x00222222u);
    EXPECT_EQ(d.picColor(Swatch::ActiveCaption).backColor, 0x80000008u);
    EXPECT_EQ(d.CheckValue(Option::DrawFormIcon), 1);
    EXPECT_EQ(d.Text(Field::MenuLeft), "4");
    EXPECT_FALSE(d.SkinModified);
    const SkinDocument once = d;
    d.ClearSkinPieces();
    EXPECT_EQ(d, once);
}

} // namespace
} // namespace qel
