#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"
#include "tests/sheet/SkinSamples.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

using test::BuiltInLikeSkin;
using test::kBuiltInGeometry;

SheetImage Cropped(const SheetImage& image, int width, int height) {
    SheetImage out(width, height);
    out.Draw(image, 0, 0);
    return out;
}

std::string Problem(const SheetImage& picture) {
    SkinSheetReading reading = ReadSkinSheet(picture);
    EXPECT_EQ(reading.sheet.has_value(), reading.problem.empty());
    return reading.problem;
}

::testing::AssertionResult RefusedFor(const SheetImage& picture, const std::string& words) {
    std::string problem = Problem(picture);
    if (problem.find(words) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "problem: \"" << problem << "\"";
}

TEST(SkinSheetReader, FindsTheBuiltInLayout) {
    test::SampleSkin skin = BuiltInLikeSkin();
    SheetImage picture = ComposeSkinSheet(skin.content, skin.background);
    ASSERT_EQ(picture.Width(), 145);
    ASSERT_EQ(picture.Height(), 162);
    SkinSheetReading reading = ReadSkinSheet(picture);
    ASSERT_TRUE(reading.sheet) << reading.problem;
    const SkinSheet& sheet = *reading.sheet;
    const SkinSheetGeometry& g = sheet.geometry;
    EXPECT_EQ(g, kBuiltInGeometry);
    EXPECT_EQ(g.BandLine(CaptionVariant::ActiveMenu), 43);
    EXPECT_EQ(g.BandLine(CaptionVariant::ActivePlain), 68);
    EXPECT_EQ(g.StripLine(), 75);
    EXPECT_EQ(g.ButtonRowTop(ButtonState::Down) - 1, 91);
    EXPECT_EQ(g.SwatchLine(), 139);
    EXPECT_EQ(g.RulerTop(), 143);
    EXPECT_EQ(g.ValueRow(SheetValue::RoundAngle), 146);
    EXPECT_EQ(g.ValueRow(SheetValue::CaptionLeft), 156);
    EXPECT_EQ(sheet.key, 0x00008000u);
    EXPECT_EQ(sheet.values,
              (std::array<int32_t, kSheetValues>{0, 4, 25, 3, 3, 20, 25, 4, 0, 0, 25}));
    for (FlagRule rule : {FlagRule::Control, FlagRule::Creator}) {
        EXPECT_TRUE(sheet.Flag(SheetFlag::DrawCaption, rule));
        for (SheetFlag off : {SheetFlag::RoundTop, SheetFlag::RoundBottom, SheetFlag::DrawFormIcon,
                              SheetFlag::ShiftCaption})
            EXPECT_FALSE(sheet.Flag(off, rule));
    }
    EXPECT_EQ(sheet.Colour(SheetColour::ActiveCaption), 0x00800000u);
    EXPECT_EQ(sheet.Colour(SheetColour::MenuBackground), 0x00DCE1E2u);
    EXPECT_EQ(sheet.Colour(SheetColour::Empty), 0x00FF00FFu);
    EXPECT_EQ(CutSkinSheetContent(picture, sheet, FlagRule::Creator), skin.content);
}

TEST(SkinSheetReader, TheControlAlsoTakesAlmostBlackFlagsAsOn) {
    test::SampleSkin skin = BuiltInLikeSkin();
    SheetImage picture = ComposeSkinSheet(skin.content, skin.background);
    const int y = kBuiltInGeometry.SwatchCentreY();
    picture.SetPixel(SkinSheetGeometry::SwatchCentreX(SwatchCell(SheetFlag::RoundTop)), y,
                     kFlagOnToo);
    picture.SetPixel(SkinSheetGeometry::SwatchCentreX(SwatchCell(SheetFlag::RoundBottom)), y,
                     0x00000001);
    picture.SetPixel(SkinSheetGeometry::SwatchCentreX(SwatchCell(SheetFlag::DrawCaption)), y,
                     0x00010300);
    SkinSheet sheet = *ReadSkinSheet(picture).sheet;
    EXPECT_TRUE(sheet.Flag(SheetFlag::RoundTop, FlagRule::Control));
    EXPECT_FALSE(sheet.Flag(SheetFlag::RoundTop, FlagRule::Creator));
    for (FlagRule rule : {FlagRule::Control, FlagRule::Creator}) {
        EXPECT_FALSE(sheet.Flag(SheetFlag::RoundBottom, rule));
        EXPECT_FALSE(sheet.Flag(SheetFlag::DrawCaption, rule));
    }
}

TEST(SkinSheetReader, ValuesAreTheFirstMarkerOfTheirRowOrZero) {
    test::SampleSkin skin = BuiltInLikeSkin();
    skin.content.Value(SheetValue::RoundAngle) = 0;
    skin.content.Value(SheetValue::IconLeft) = 144;
    skin.content.Value(SheetValue::IconTop) = 145; // widens the sheet to 146
    SheetImage picture = ComposeSkinSheet(skin.content, skin.background);
    EXPECT_EQ(picture.Width(), 146);
    const SkinSheetGeometry& g = kBuiltInGeometry;
    picture.SetPixel(30, g.ValueRow(SheetValue::MenuTop), skin.content.key); // a second marker
    picture.SetPixel(25, g.ValueRow(SheetValue::MenuLeft), skin.background); // marker gone
    SkinSheet sheet = *ReadSkinSheet(picture).sheet;
    EXPECT_EQ(sheet.Value(SheetValue::RoundAngle), 0);
    EXPECT_EQ(sheet.Value(SheetValue::IconLeft), 144);
    EXPECT_EQ(sheet.Value(SheetValue::IconTop), 145);
    EXPECT_EQ(sheet.Value(SheetValue::MenuTop), 20);
    EXPECT_EQ(sheet.Value(SheetValue::MenuLeft), 0);
}

TEST(SkinSheetReader, RefusesPicturesThatAreNoSheets) {
    EXPECT_TRUE(RefusedFor(SheetImage(), "The picture is empty."));
    EXPECT_TRUE(RefusedFor(SheetImage(0, 5), "The picture is empty."));
    EXPECT_TRUE(RefusedFor(SheetImage(1, 1), "No key line under the menu caption band"));
    EXPECT_TRUE(RefusedFor(SheetImage(kMaxSheetSide + 1, 2), "is 4097 x 2 pixels"));
    EXPECT_TRUE(RefusedFor(SheetImage(2, kMaxSheetSide + 1), "at most 4096 pixels"));
    // One colour: the key colour is everywhere, so the first band has no rows.
    EXPECT_TRUE(RefusedFor(SheetImage(200, 200, 0x00FFFFFF), "no rows for the menu caption band"));
    // Key colour only at (0,0).
    SheetImage lone(200, 200, 0x00FFFFFF);
    lone.SetPixel(0, 0, 0);
    EXPECT_TRUE(RefusedFor(lone, "No key line under the menu caption band"));
}

TEST(SkinSheetReader, RefusesSheetsWithMissingOrUnequalBands) {
    test::SampleSkin skin = BuiltInLikeSkin();
    const SheetImage sheet = ComposeSkinSheet(skin.content, skin.background);
    const uint32_t key = skin.content.key, back = skin.background;
    const SkinSheetGeometry& g = kBuiltInGeometry;

    SheetImage picture = sheet; // two key lines meet
    picture.SetPixel(1, g.StripTop(), key);
    EXPECT_TRUE(RefusedFor(picture, "no rows for the frame strip"));
    picture = sheet; // a key pixel inside the third button row of column 1
    picture.SetPixel(1, g.ButtonRowTop(ButtonState::Highlight) + 4, key);
    EXPECT_TRUE(RefusedFor(picture, "Caption-button row 3 is 4 pixels high; row 1 is 15."));
    picture = sheet; // the line under the strip gone: the later lines shift up by one band
    picture.SetPixel(1, g.StripLine(), back);
    EXPECT_TRUE(RefusedFor(picture, "Caption-button row"));
    picture = sheet;
    picture.Fill({2, 1, picture.Width(), 1}, back);
    EXPECT_TRUE(RefusedFor(picture, "No key column after the Top Left piece in row 1."));
    picture = sheet;
    picture.Fill({2, g.StripTop(), picture.Width(), 1}, back);
    EXPECT_TRUE(RefusedFor(picture, "No key column after the first frame-strip cell in row 69."));
    picture = sheet;
    picture.Fill({2, g.ButtonRowTop(ButtonState::Normal), picture.Width(), 1}, back);
    EXPECT_TRUE(RefusedFor(picture, "first caption-button cell"));
}

TEST(SkinSheetReader, RefusesSheetsWhoseCellsLieOutsideThePicture) {
    test::SampleSkin skin = BuiltInLikeSkin();
    const SheetImage sheet = ComposeSkinSheet(skin.content, skin.background);
    const SkinSheetGeometry& g = kBuiltInGeometry;
    EXPECT_EQ(Problem(Cropped(sheet, 2 * 69 + 6, 162)), "");
    EXPECT_TRUE(RefusedFor(Cropped(sheet, 2 * 69 + 5, 162),
                           "The in-active caption pieces reach (143, 42), outside the picture of "
                           "143 x 162 pixels."));
    EXPECT_TRUE(
        RefusedFor(Cropped(sheet, 145, g.ValueRow(SheetValue::CaptionLeft)), "The value rows"));
    EXPECT_TRUE(RefusedFor(Cropped(sheet, 145, g.SwatchCentreY()), "The option swatches"));

    // Strip and buttons wider than the caption sets, the picture cut at the caption sets.
    SkinSheetGeometry wide = g;
    wide.stripCellWidth = 12; // 14 * 13 + 1 = 183
    std::mt19937 rng(2);
    test::SampleSkin wideSkin = test::RandomSkin(rng, wide);
    SheetImage wideSheet = ComposeSkinSheet(wideSkin.content, wideSkin.background);
    EXPECT_TRUE(RefusedFor(Cropped(wideSheet, 145, wideSheet.Height()), "The frame-strip cells"));
    wide = g;
    wide.buttonWidth = 40; // 4 * 41 + 1 = 165
    wideSkin = test::RandomSkin(rng, wide);
    wideSheet = ComposeSkinSheet(wideSkin.content, wideSkin.background);
    EXPECT_TRUE(
        RefusedFor(Cropped(wideSheet, 145, wideSheet.Height()), "The caption-button cells"));
}

TEST(SkinSheetReader, KeyColourInTheFirstColumnOfTopLeftMovesTheBands) {
    // Strip and buttons of one height, so that the shifted bands still read:
    // each band takes the height of the one above it.
    SkinSheetGeometry g = kBuiltInGeometry;
    g.topLeftWidth = 6;
    g.buttonHeight = g.stripCellHeight;
    std::mt19937 rng(3);
    test::SampleSkin skin = test::RandomSkin(rng, g);
    SheetImage& plainTopLeft =
        skin.content.Caption(CaptionVariant::ActivePlain, CaptionPiece::TopLeft);
    // Its top row is where the moved layout finds the first strip cell's width.
    plainTopLeft.Fill({0, 0, plainTopLeft.Width(), 1}, skin.background);
    SheetImage picture = ComposeSkinSheet(skin.content, skin.background);
    picture.SetPixel(1, 20, skin.content.key);
    SkinSheetReading reading = ReadSkinSheet(picture);
    ASSERT_TRUE(reading.sheet) << reading.problem;
    EXPECT_EQ(reading.sheet->geometry, (SkinSheetGeometry{6, 13, 28, 19, 22, 6, 24, 6, 6}));
}

} // namespace
} // namespace qel
