#include "creator/editor/ColourPick.h"
#include "creator/editor/MockCaptionButtons.h"
#include "creator/editor/PreviewLayout.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(ColourPick, FollowsThePointerAndIsTakenOnceByAPress) {
    SkinDocument d;
    ColourPick pick;
    d.SkinModified = false;
    EXPECT_EQ(pick.Take(d, 0x00112233), std::nullopt); // nothing pending
    pick.Follow(d, 0x00112233);
    EXPECT_EQ(d, SkinDocument());

    d.picColor(Swatch::InactiveFormBack).backColor = 0x00AAAAAA;
    pick.Start(d, Swatch::InactiveFormBack);
    EXPECT_EQ(d.picColor(Swatch::InactiveFormBack).foreColor, 0x00AAAAAAu);
    pick.Follow(d, 0x00010203);
    EXPECT_EQ(d.picColor(Swatch::InactiveFormBack).backColor, 0x00010203u);
    pick.Follow(d, SheetImage::kOutside); // no pixel there: the swatch keeps its colour
    EXPECT_EQ(d.picColor(Swatch::InactiveFormBack).backColor, 0x00010203u);
    EXPECT_FALSE(d.SkinModified);
    EXPECT_EQ(pick.Take(d, 0x00040506), Swatch::InactiveFormBack);
    EXPECT_EQ(d.picColor(Swatch::InactiveFormBack).backColor, 0x00040506u);
    EXPECT_TRUE(d.SkinModified);
    EXPECT_FALSE(pick.active);
    EXPECT_EQ(PreviewsColouredBy(Swatch::InactiveFormBack), (std::vector<int>{2, 4}));
    EXPECT_EQ(PreviewsColouredBy(Swatch::ActiveFormBack), (std::vector<int>{1, 3}));
    EXPECT_TRUE(PreviewsColouredBy(Swatch::ActiveCaption).empty());

    // Clearing puts back the colour the swatch had when its pick started,
    // and the system's window text colour on the untouched swatches 2, 4, 9.
    d.ClearSkinPieces();
    EXPECT_EQ(d.picColor(Swatch::InactiveFormBack).backColor, 0x00AAAAAAu);
    EXPECT_EQ(d.picColor(Swatch::ActiveMenu).backColor, 0x80000008u);
}

TEST(PreviewLayout, ClearedPiecesKeepTheirFlagsAndAreStillLaidOut) {
    SkinDocument d;
    d.ItemData(2, Piece::TopLeft) = kHasGraphic;
    d.PieceBox(Piece::TopLeft, 2).Load(SheetImage(30, 26, 1));
    d.ClearSkinPieces();
    const PreviewLayout layout = LayOutPreview(d, 2, {312, 206, 312, 206, {}, 48, 13});
    ASSERT_EQ(layout.runs.size(), 1u);
    EXPECT_EQ(layout.runs[0].width, 30); // drawn in the emptied box's back colour
}

TEST(MockCaptionButtons, ShowTheStateUnderThePointerAndRestElsewhere) {
    SkinDocument d;
    EXPECT_EQ(MockButtonState(false, 0), 3);
    EXPECT_EQ(MockButtonState(false, 1), 2);
    EXPECT_EQ(MockButtonState(true, 1), 2);
    EXPECT_EQ(MockButtonState(true, 2), std::nullopt);
    EXPECT_EQ(MockButtonState(false, 3), std::nullopt);

    d.ButtonBox(CaptionButton::Close, 1).tag = "99";
    d.ButtonBox(CaptionButton::Minimize, 1).tag = "0";
    d.ButtonBox(CaptionButton::Maximize, 2).tag = "99";
    EXPECT_EQ(RestButtonPictures(d), (ButtonPictures{1, 0, 0, 0}));
    EXPECT_EQ(MockButtonPictures(d, CaptionButton::Maximize, 2), (ButtonPictures{1, 0, 2, 0}));
    // No Highlight graphic for close: every image keeps its picture.
    EXPECT_EQ(MockButtonPictures(d, CaptionButton::Close, 3), (ButtonPictures{}));
}

} // namespace
} // namespace qel
