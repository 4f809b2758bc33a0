#include "sheet/SkinSheetWriter.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

constexpr uint32_t kKey = 0x0000FF00, kBack = 0x00FFFFFF;

// Every piece one plain colour of its own: 0x10000 + its index in its list.
SkinSheetContent PlainSkin(const SkinSheetGeometry& g) {
    SkinSheetContent c;
    c.key = kKey;
    for (int v = 0; v < kCaptionVariants; ++v)
        for (int p = 0; p < kCaptionPieces; ++p) {
            SheetRect cell =
                g.CaptionCell(static_cast<CaptionVariant>(v), static_cast<CaptionPiece>(p));
            c.captionPieces[v * kCaptionPieces + p] =
                SheetImage(cell.width, cell.height, 0x10000 + v * kCaptionPieces + p);
        }
    for (int k = 0; k < kStripCells; ++k)
        c.stripPieces[k] = SheetImage(g.stripCellWidth, g.stripCellHeight, 0x20000 + k);
    for (int i = 0; i < kButtonStates * kCaptionButtons; ++i)
        c.buttons[i] = SheetImage(g.buttonWidth, g.buttonHeight, 0x30000 + i);
    for (int i = 0; i < kSheetColours; ++i)
        c.colours[i] = 0x40000 + i;
    return c;
}

// TLw 3, TMw 2, TRw 4 (W 9), hA 5, hB 4, S 2, Sh 3, Bw 4, Bh 3.
constexpr SkinSheetGeometry kSmall{3, 2, 4, 5, 4, 2, 3, 4, 3};

std::vector<int> KeyRowsInColumn(const SheetImage& sheet, int x) {
    std::vector<int> rows;
    for (int y = 0; y < sheet.Height(); ++y)
        if (sheet.Pixel(x, y) == kKey) rows.push_back(y);
    return rows;
}

std::vector<int> KeyColumnsInRow(const SheetImage& sheet, int y) {
    std::vector<int> columns;
    for (int x = 0; x < sheet.Width(); ++x)
        if (sheet.Pixel(x, y) == kKey) columns.push_back(x);
    return columns;
}

TEST(SkinSheetWriter, DrawsKeyLinesAroundEveryBand) {
    SkinSheetContent c = PlainSkin(kSmall);
    SheetImage sheet = ComposeSkinSheet(c, kBack);
    // Wide enough for the swatch row (61), which is wider than the strip (43).
    EXPECT_EQ(sheet.Width(), 61);
    EXPECT_EQ(sheet.Height(), 5 + 4 + 4 * 3 + 3 + 30);
    // Column 1: the lines under both caption bands, the strip, the four button
    // rows; then ruler line 1 (y 35); nothing in the value rows (all values 0).
    EXPECT_EQ(KeyRowsInColumn(sheet, 1), (std::vector<int>{0, 6, 11, 15, 19, 23, 27, 31, 35}));
    // Row 1: the key columns of both caption sets.
    EXPECT_EQ(KeyColumnsInRow(sheet, 1), (std::vector<int>{0, 4, 7, 12, 16, 19, 24}));
    // The caption key rows run one pixel past the last key column.
    EXPECT_EQ(sheet.Pixel(25, 6), kKey);
    EXPECT_EQ(sheet.Pixel(26, 6), kBack);
    // Strip: key columns every 3 pixels up to 42; its rows end there.
    EXPECT_EQ(KeyColumnsInRow(sheet, 12),
              (std::vector<int>{0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42}));
    EXPECT_EQ(sheet.Pixel(42, 15), kKey);
    EXPECT_EQ(sheet.Pixel(43, 15), kBack);
    // Button block: five key columns.
    EXPECT_EQ(KeyColumnsInRow(sheet, 16), (std::vector<int>{0, 5, 10, 15, 20}));
    // Swatch row: key columns every 4 pixels up to 60 around the cells.
    EXPECT_EQ(sheet.Pixel(60, 33), kKey);
    EXPECT_EQ(sheet.Pixel(60, 31), kKey);
    // Ruler lines.
    EXPECT_EQ(KeyColumnsInRow(sheet, 35).size(), 61u);
    EXPECT_EQ(KeyColumnsInRow(sheet, 36),
              (std::vector<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}));
    EXPECT_EQ(KeyColumnsInRow(sheet, 37), (std::vector<int>{0, 10, 20, 30, 40, 50, 60}));
    // Five background rows at the bottom.
    for (int y = sheet.Height() - 5; y < sheet.Height(); ++y)
        EXPECT_TRUE(KeyColumnsInRow(sheet, y).empty());
}

TEST(SkinSheetWriter, PutsPiecesSwatchesAndValuesInTheirCells) {
    SkinSheetContent c = PlainSkin(kSmall);
    c.Flag(SheetFlag::DrawCaption) = true;
    c.Value(SheetValue::CaptionLeft) = 20;
    c.Value(SheetValue::ButtonLeft) = 7;
    SheetImage sheet = ComposeSkinSheet(c, kBack);
    using V = CaptionVariant;
    using P = CaptionPiece;
    EXPECT_EQ(sheet.Cut({1, 1, 3, 5}), c.Caption(V::ActiveMenu, P::TopLeft));
    EXPECT_EQ(sheet.Cut({20, 1, 4, 5}), c.Caption(V::InactiveMenu, P::TopRight));
    EXPECT_EQ(sheet.Cut({13, 7, 3, 4}), c.Caption(V::InactivePlain, P::TopLeft));
    EXPECT_EQ(sheet.Cut({1 + 3 * 9, 12, 2, 3}),
              c.Strip(FrameVariant::Inactive, StripPiece::BottomLeftSizable));
    EXPECT_EQ(sheet.Cut({11, 28, 4, 3}), c.Button(ButtonState::Disabled, CaptionButton::Maximize));
    // Colour cells 0 and 12, flag cells 9 (on) and 13 (off).
    EXPECT_EQ(sheet.Cut({1, 32, 3, 3}), SheetImage(3, 3, c.Colour(SheetColour::ActiveFormBack)));
    EXPECT_EQ(sheet.Cut({49, 32, 3, 3}), SheetImage(3, 3, c.Colour(SheetColour::InactiveFormBack)));
    EXPECT_EQ(sheet.Cut({37, 32, 3, 3}), SheetImage(3, 3, kFlagOn));
    EXPECT_EQ(sheet.Cut({53, 32, 3, 3}), SheetImage(3, 3, kBack));
    // Value rows start at y 38: "Button Left" in row 2, "Caption Left:" in row 10.
    EXPECT_EQ(KeyColumnsInRow(sheet, 40), std::vector<int>{7});
    EXPECT_EQ(KeyColumnsInRow(sheet, 48), std::vector<int>{20});
    EXPECT_EQ(KeyColumnsInRow(sheet, 38), std::vector<int>{0});
}

TEST(SkinSheetWriter, SheetIsAsWideAsItsWidestBandOrLargestValue) {
    SkinSheetGeometry g = kSmall;
    g.topMiddleWidth = 30; // W 37: 2W + 7 = 81
    EXPECT_EQ(ComposeSkinSheet(PlainSkin(g), kBack).Width(), 81);
    g.stripCellWidth = 10; // 14 * 11 + 1 = 155
    SheetImage sheet = ComposeSkinSheet(PlainSkin(g), kBack);
    EXPECT_EQ(sheet.Width(), 155);
    EXPECT_EQ(sheet.Pixel(81, 0), kKey); // the caption key rows still end at 2W + 7
    EXPECT_EQ(sheet.Pixel(82, 0), kBack);
    g.buttonWidth = 50; // 4 * 51 + 1 = 205
    EXPECT_EQ(ComposeSkinSheet(PlainSkin(g), kBack).Width(), 205);

    SkinSheetContent c = PlainSkin(kSmall);
    c.Value(SheetValue::MenuLeft) = 400;
    sheet = ComposeSkinSheet(c, kBack);
    EXPECT_EQ(sheet.Width(), 401);
    EXPECT_EQ(sheet.Pixel(400, kSmall.ValueRow(SheetValue::MenuLeft)), kKey);
    // Values that cannot be stored get no marker and do not widen the sheet.
    c.Value(SheetValue::MenuLeft) = kMaxSheetSide;
    c.Value(SheetValue::MenuTop) = -3;
    sheet = ComposeSkinSheet(c, kBack);
    EXPECT_EQ(sheet.Width(), 61);
    EXPECT_TRUE(KeyColumnsInRow(sheet, kSmall.ValueRow(SheetValue::MenuLeft)).empty());
    EXPECT_TRUE(KeyColumnsInRow(sheet, kSmall.ValueRow(SheetValue::MenuTop)).empty());
}

TEST(SkinSheetWriter, PlacesEachCaptionPieceByTheWidthsOfItsOwnVariant) {
    SkinSheetContent c = PlainSkin(kSmall);
    using V = CaptionVariant;
    using P = CaptionPiece;
    // Variant 3's Top Middle 5 wide instead of 2; variant 2's Top Left 7 high instead of 5.
    c.Caption(V::ActivePlain, P::TopMiddle) = SheetImage(5, 4, 0x50000);
    c.Caption(V::InactiveMenu, P::TopLeft) = SheetImage(3, 7, 0x50001);
    SheetImage sheet = ComposeSkinSheet(c, kBack);
    // Variant 3's Top Right follows its own Top Middle: x = 1 + 4 + 6.
    EXPECT_EQ(sheet.Pixel(11, 8), c.Caption(V::ActivePlain, P::TopRight).Pixel(0, 0));
    // The key columns follow variant 1 in both bands and are drawn over the pieces.
    EXPECT_EQ(sheet.Pixel(7, 8), kKey);
    // A piece is copied whole: variant 2's Top Left covers the key line under band A.
    EXPECT_EQ(sheet.Pixel(14, 6), 0x50001u);
    EXPECT_EQ(sheet.Pixel(15, 7), 0x50001u);
}

TEST(SkinSheetWriter, StripAndButtonCellsTakeTheTopLeftOfTheirPieces) {
    SkinSheetContent c = PlainSkin(kSmall);
    SheetImage large(6, 6, 0x60000);
    large.SetPixel(0, 0, 0x60001);
    c.Strip(FrameVariant::Active, StripPiece::BottomMiddle) = large;
    c.Button(ButtonState::Down, CaptionButton::Restore) = SheetImage(1, 1, 0x60002);
    SheetImage sheet = ComposeSkinSheet(c, kBack);
    SheetImage expected(2, 3, 0x60000);
    expected.SetPixel(0, 0, 0x60001);
    EXPECT_EQ(sheet.Cut(kSmall.StripCell(FrameVariant::Active, StripPiece::BottomMiddle)),
              expected);
    SheetImage small = sheet.Cut(kSmall.ButtonCell(ButtonState::Down, CaptionButton::Restore));
    EXPECT_EQ(small.Pixel(0, 0), 0x60002u);
    EXPECT_EQ(small.Pixel(1, 0), kBack);
    EXPECT_EQ(small.Pixel(0, 2), kBack);
}

TEST(SkinSheetWriter, CheckNamesWhatWouldNotReadBack) {
    SkinSheetContent c = PlainSkin(kSmall);
    EXPECT_EQ(CheckSkinSheetContent(c, kBack), "");

    SkinSheetContent wrong = c;
    wrong.Caption(CaptionVariant::InactivePlain, CaptionPiece::TopRight) = SheetImage(4, 5, 0);
    EXPECT_EQ(CheckSkinSheetContent(wrong, kBack),
              "Top Right of variant 4 is 4 x 5 pixels; its band needs 4 x 4.");
    wrong = c;
    wrong.Strip(FrameVariant::Inactive, StripPiece::RightSide) = SheetImage(3, 3, 0);
    EXPECT_NE(CheckSkinSheetContent(wrong, kBack).find("\"Right Side\" (in-active)"),
              std::string::npos);
    wrong = c;
    wrong.Button(ButtonState::Highlight, CaptionButton::Minimize) = SheetImage(4, 2, 0);
    EXPECT_NE(CheckSkinSheetContent(wrong, kBack).find("Minimize button \"Highlight:\""),
              std::string::npos);
    wrong = c;
    wrong.Button(ButtonState::Normal, CaptionButton::Close) = SheetImage();
    EXPECT_NE(CheckSkinSheetContent(wrong, kBack).find("is empty"), std::string::npos);

    EXPECT_NE(CheckSkinSheetContent(c, kKey), "");
    EXPECT_NE(CheckSkinSheetContent(c, kFlagOnToo), "");

    // The key colour where the readers scan, and where they do not.
    wrong = c;
    wrong.Button(ButtonState::Disabled, CaptionButton::Close).SetPixel(0, 2, kKey);
    EXPECT_NE(CheckSkinSheetContent(wrong, kBack).find("Close button \"Disabled:\""),
              std::string::npos);
    wrong = c;
    wrong.Caption(CaptionVariant::ActiveMenu, CaptionPiece::TopMiddle).SetPixel(1, 0, kKey);
    EXPECT_NE(CheckSkinSheetContent(wrong, kBack), "");
    wrong = c;
    wrong.Caption(CaptionVariant::ActiveMenu, CaptionPiece::TopMiddle).SetPixel(0, 0, kKey);
    wrong.Caption(CaptionVariant::InactiveMenu, CaptionPiece::TopLeft).SetPixel(0, 0, kKey);
    wrong.Strip(FrameVariant::Active, StripPiece::LeftSide).SetPixel(1, 1, kKey);
    EXPECT_EQ(CheckSkinSheetContent(wrong, kBack), "");

    wrong = c;
    wrong.Value(SheetValue::IconTop) = -1;
    EXPECT_EQ(CheckSkinSheetContent(wrong, kBack),
              "The value \"Icon Top\" is -1; a sheet stores values from 0 to 4095.");
    SkinSheetGeometry huge = kSmall;
    huge.stripCellWidth = 300;
    EXPECT_NE(CheckSkinSheetContent(PlainSkin(huge), kBack).find("at most 4096"),
              std::string::npos);
}

} // namespace
} // namespace qel
