#include "sheet/SkinSheetWriter.h"
#include "sheet/SkinSlice.h"
#include "tests/sheet/SkinSamples.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

using test::BuiltInLikeSkin;

SkinSlice Slice(const test::SampleSkin& skin, const SliceOptions& options) {
    SkinSliceResult result =
        SliceSkinSheet(ComposeSkinSheet(skin.content, skin.background), options);
    EXPECT_TRUE(result.slice) << result.problem;
    return result.slice.value_or(SkinSlice{});
}

TEST(SkinSlice, BuiltInSheetOnAHostWithAMenuBar) {
    SkinSlice s = Slice(BuiltInLikeSkin(), {.hasMenu = true, .showIcon = true});
    EXPECT_EQ(s.caption.width, 138);
    EXPECT_EQ(s.caption.height, 41);
    EXPECT_EQ(s.borders.width, 84);
    EXPECT_EQ(s.borders.height, 6);
    EXPECT_EQ(s.buttons.width, 56);
    EXPECT_EQ(s.buttons.height, 60);
    const SkinConfigValues& c = s.config;
    EXPECT_EQ(c.ButtonWidth, 14);
    EXPECT_EQ(c.ButtonHeight, 15);
    EXPECT_EQ(c.ActiveLeftEnd, 29);
    EXPECT_EQ(c.ActiveRightStart, 40);
    EXPECT_EQ(c.ActiveRightEnd, 69);
    EXPECT_EQ(c.InactiveOffset, 69);
    EXPECT_EQ(c.LeftBorderWidth, 7);
    EXPECT_EQ(c.RightBorderWidth, 7);
    EXPECT_EQ(c.TitleStartOffsetY, 4);
    EXPECT_EQ(c.ControlButtonOffsetX, -25);
    EXPECT_EQ(c.ControlButtonOffsetY, 3);
    EXPECT_EQ(c.ButtonGap, 3);
    EXPECT_EQ(c.MenuStartOffsetY, 20);
    EXPECT_EQ(c.MenuStartOffsetX, 25);
    EXPECT_EQ(c.IconTop, 0);
    EXPECT_EQ(c.IconLeft, 0);
    EXPECT_EQ(c.CaptionLeft, 25);
    EXPECT_TRUE(c.DrawTitle);
    EXPECT_FALSE(c.ShowIcon);
    EXPECT_TRUE(c.BorderHasInactiveVersion && c.ControlButtonHasInactiveVersion &&
                c.CustomControlButtonPosition);
    EXPECT_EQ(c.TopSizingBorderHeight, 5);
    EXPECT_EQ(c.BottomSizingBorderHeight, 5);
    EXPECT_EQ(c.ActiveCaptionColor, 0x00800000u);
    EXPECT_EQ(c.InActiveCaptionColor, 0x003F3F3Fu);
    EXPECT_EQ(c.FormBackgroundColor, 0x00DCE1E2u);
    EXPECT_EQ(std::string(SkinConfigValues::Name), "Qel Skin Control");
    EXPECT_EQ(s.RoundAngle, 0);
    EXPECT_EQ(s.ControlForeColor, 0x00800000u);
    EXPECT_EQ(s.FrameWidthTwips(15), 225);
    EXPECT_EQ(s.FrameHeightTwips(15), 705);
}

TEST(SkinSlice, MenuAndHighlightColoursGoToTheirOwnMembers) {
    test::SampleSkin skin = BuiltInLikeSkin();
    skin.content.Colour(SheetColour::InactiveMenu) = 0x111111;
    skin.content.Colour(SheetColour::MenuHighlight) = 0x222222;
    skin.content.Colour(SheetColour::InactiveFormBack) = 0x333333;
    SkinSlice s = Slice(skin, {});
    EXPECT_EQ(s.config.InActiveMenuColor, 0x111111u);
    EXPECT_EQ(s.config.ActiveMenuColorOver, 0x222222u);
    EXPECT_EQ(s.InactiveBackColor, 0x333333u);
    EXPECT_EQ(s.ActiveBackColor, 0x00DCE1E2u);
}

TEST(SkinSlice, HostWithoutAMenuBarTakesThePlainBand) {
    test::SampleSkin skin = BuiltInLikeSkin();
    skin.content.Value(SheetValue::CaptionTopNoMenu) = 7;
    SkinSlice s = Slice(skin, {.hasMenu = false});
    EXPECT_EQ(s.caption.width, 138);
    EXPECT_EQ(s.caption.height, 23);
    for (const PictureCopy& copy : s.caption.copies) {
        EXPECT_EQ(copy.from.y, 44);
        EXPECT_EQ(copy.from.height, 23);
    }
    EXPECT_EQ(s.config.TitleStartOffsetY, 7);
    EXPECT_EQ(s.FrameHeightTwips(15), 435);
}

TEST(SkinSlice, PicturesHoldThePiecesWithoutTheCaptionBandsLastRow) {
    std::mt19937 rng(3);
    test::SampleSkin skin = test::RandomSkin(rng, test::kBuiltInGeometry);
    const SkinSheetContent& c = skin.content;
    const SheetImage sheet = ComposeSkinSheet(c, skin.background);
    SkinSlice s = *SliceSkinSheet(sheet, {.hasMenu = true}).slice;

    SheetImage caption = CutPicture(sheet, s.caption);
    using V = CaptionVariant;
    using P = CaptionPiece;
    EXPECT_EQ(caption.Cut({0, 0, 28, 41}),
              c.Caption(V::ActiveMenu, P::TopLeft).Cut({0, 0, 28, 41}));
    EXPECT_EQ(caption.Cut({28, 0, 13, 41}),
              c.Caption(V::ActiveMenu, P::TopMiddle).Cut({0, 0, 13, 41}));
    EXPECT_EQ(caption.Cut({110, 0, 28, 41}),
              c.Caption(V::InactiveMenu, P::TopRight).Cut({0, 0, 28, 41}));
    SheetImage borders = CutPicture(sheet, s.borders);
    EXPECT_EQ(borders.Cut({0, 0, 6, 6}), c.Strip(FrameVariant::Active, StripPiece::LeftSide));
    EXPECT_EQ(borders.Cut({13 * 6, 0, 6, 6}),
              c.Strip(FrameVariant::Inactive, StripPiece::RightSide));
    SheetImage buttons = CutPicture(sheet, s.buttons);
    EXPECT_EQ(buttons.Cut({14, 15, 14, 15}), c.Button(ButtonState::Down, CaptionButton::Restore));
    EXPECT_EQ(buttons.Cut({42, 45, 14, 15}),
              c.Button(ButtonState::Disabled, CaptionButton::Minimize));
}

TEST(SkinSlice, FlagsFollowTheControlsRule) {
    test::SampleSkin skin = BuiltInLikeSkin();
    SheetImage sheet = ComposeSkinSheet(skin.content, skin.background);
    const int y = test::kBuiltInGeometry.SwatchCentreY();
    for (SheetFlag f : {SheetFlag::RoundTop, SheetFlag::RoundBottom, SheetFlag::DrawFormIcon})
        sheet.SetPixel(SkinSheetGeometry::SwatchCentreX(SwatchCell(f)), y, kFlagOnToo);
    SkinSlice s = *SliceSkinSheet(sheet, {.showIcon = true, .hostHasIcon = true}).slice;
    EXPECT_TRUE(s.RoundTop);
    EXPECT_TRUE(s.RoundBottom);
    EXPECT_TRUE(s.SkinAllowsIcon);
    EXPECT_TRUE(s.config.ShowIcon);
    EXPECT_FALSE(s.ShiftCaption);
    s = *SliceSkinSheet(sheet, {.showIcon = false}).slice;
    EXPECT_TRUE(s.SkinAllowsIcon);
    EXPECT_FALSE(s.config.ShowIcon);
}

TEST(SkinSlice, CaptionAndMenuMoveLeftWhenTheHostHasNoIconToShow) {
    test::SampleSkin skin = BuiltInLikeSkin();
    skin.content.Flag(SheetFlag::DrawFormIcon) = true;
    skin.content.Flag(SheetFlag::ShiftCaption) = true;
    SkinSlice s = Slice(skin, {.hasMenu = true, .showIcon = true, .hostHasIcon = false});
    EXPECT_EQ(s.config.MenuStartOffsetX, 9);
    EXPECT_EQ(s.config.CaptionLeft, 9);
    EXPECT_TRUE(s.ShiftCaption);

    skin.content.Value(SheetValue::CaptionLeft) = 16;
    EXPECT_EQ(Slice(skin, {.showIcon = true}).config.CaptionLeft, 16);
    // No shift with an icon, without ShowIcon, or without either flag.
    EXPECT_EQ(Slice(skin, {.showIcon = true, .hostHasIcon = true}).config.MenuStartOffsetX, 25);
    EXPECT_EQ(Slice(skin, {.showIcon = false}).config.MenuStartOffsetX, 25);
    skin.content.Flag(SheetFlag::DrawFormIcon) = false;
    EXPECT_EQ(Slice(skin, {.showIcon = true}).config.MenuStartOffsetX, 25);
}

TEST(SkinSlice, RefusesWhatTheReaderRefusesAndCaptionBandsOfOneRow) {
    EXPECT_EQ(SliceSkinSheet(SheetImage(1, 1), {}).problem,
              "No key line under the menu caption band: column 1 has no pixel of the key colour "
              "(the colour of pixel (0, 0)) from row 1 down.");
    SkinSheetGeometry g = test::kBuiltInGeometry;
    g.menuBandHeight = 1;
    std::mt19937 rng(4);
    test::SampleSkin skin = test::RandomSkin(rng, g);
    SheetImage sheet = ComposeSkinSheet(skin.content, skin.background);
    EXPECT_EQ(SliceSkinSheet(sheet, {.hasMenu = true}).problem,
              "The menu caption band is one row high, which leaves no caption.");
    EXPECT_TRUE(SliceSkinSheet(sheet, {.hasMenu = false}).slice);
}

} // namespace
} // namespace qel
