// Documents through sheets and back: what the sheet keeps reads back equal;
// what it drops (variants 3 and 4 of the side and bottom pieces, greyed ticks,
// fractions, the mirrors' own texts) comes back as the format says.
#include "creator/sheet/SkinSheetMapping.h"
#include "creator/sheet/ValidateSkinPieces.h"
#include "sheet/SkinSheetWriter.h"
#include "sheet/SkinSlice.h"
#include "tests/creator/SkinDocumentSamples.h"
#include "tests/sheet/SkinSamples.h"

#include <gtest/gtest.h>

#include <random>

namespace qel {
namespace {

constexpr uint32_t kSystemText = 0x80000008;

// System colours as the test's "platform" translates them.
uint32_t Translate(uint32_t colour) {
    return colour == kSystemText ? 0x00101010 : colour;
}

TEST(SkinSheetMapping, RandomDocumentsRoundTripThroughTheirSheets) {
    std::mt19937 rng(11);
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE(i);
        const test::SampleSkin skin = test::RandomSkin(rng);
        SkinDocument d = test::DocumentOf(skin.content, rng);
        EXPECT_EQ(PieceSizeFault(d), "");
        ASSERT_EQ(SheetContentOf(d, Translate), skin.content);
        const bool thinBand = skin.content.Geometry().menuBandHeight < 2 ||
                              skin.content.Geometry().plainBandHeight < 2;
        EXPECT_EQ(SheetFault(d, Translate).empty(), !thinBand);

        const SheetImage sheet = ComposeSkinImage(d, Translate);
        const SkinSheetReading reading = ReadSkinSheet(sheet);
        ASSERT_TRUE(reading.sheet) << reading.problem;
        EXPECT_EQ(CheckKeyLines(sheet, *reading.sheet), "");
        // What passes the sheet check, the control takes with and without a menu bar.
        for (bool hasMenu : {true, false}) {
            if (thinBand) break;
            const SkinSliceResult slice = SliceSkinSheet(sheet, {hasMenu, false, false});
            ASSERT_TRUE(slice.slice) << slice.problem;
            EXPECT_EQ(slice.slice->RoundAngle, skin.content.Value(SheetValue::RoundAngle));
            EXPECT_EQ(slice.slice->config.IconTop, skin.content.Value(SheetValue::IconTop));
        }
        SkinDocument loaded;
        loaded.SkinName = "kept";
        ReadSkinImage(loaded, sheet, *reading.sheet);

        // What the sheet keeps, as it reads back.
        SkinDocument expected = d;
        expected.SkinName = "kept";
        expected.CheckValue(Option::ShowSizableCorners) = 0;
        for (int f = 0; f < kSheetFlags; ++f)
            expected.CheckValue(test::kFlagCheck[f]) = skin.content.flags[f] ? 1 : 0;
        for (int k = 0; k < kSheetValues; ++k)
            expected.SetText(test::kValueField[k], std::to_string(skin.content.values[k]));
        for (int list = 1; list <= kVariants; ++list)
            for (int p = 0; p < kPieces; ++p)
                expected.ItemData(list, static_cast<Piece>(p)) = kHasGraphic;
        for (int s = 1; s <= kButtonStates; ++s)
            for (int b = 0; b < kCaptionButtons; ++b) {
                GraphicBox& box = expected.ButtonBox(static_cast<CaptionButton>(b), s);
                box.tag =
                    box.picture.Pixel(1, 1) == skin.content.Colour(SheetColour::Empty) ? "0" : "99";
            }
        ASSERT_EQ(loaded, expected);
    }
}

TEST(SkinSheetMapping, StoresTranslatedColoursTicksOfValueOneAndRoundedValues) {
    SkinDocument d;
    d.ClearSkinPieces(); // swatches 2, 4 and 9 now hold the system text colour
    d.CheckValue(Option::RoundBottomCorners) = 2;
    d.SetText(Field::CaptionLeft, "2.5");
    d.SetText(Field::MenuTop, "3.5");
    d.SetText(Field::MenuLeft, "12/5");
    d.SetText(Field::RoundAngle, "");
    const SkinSheetContent c = SheetContentOf(d, Translate);
    EXPECT_EQ(c.Colour(SheetColour::ActiveCaption), 0x00101010u);
    EXPECT_EQ(c.Colour(SheetColour::FormText), 0x00101010u);
    EXPECT_EQ(c.key, 0x0000FF00u);
    EXPECT_TRUE(c.Flag(SheetFlag::DrawCaption));
    EXPECT_FALSE(c.Flag(SheetFlag::RoundBottom));
    EXPECT_EQ(c.Value(SheetValue::CaptionLeft), 2);
    EXPECT_EQ(c.Value(SheetValue::MenuTop), 4);
    EXPECT_EQ(c.Value(SheetValue::MenuLeft), 12);
    EXPECT_EQ(c.Value(SheetValue::RoundAngle), 0);
    // Empty boxes are stored as they show, in their back colour.
    EXPECT_EQ(c.Caption(CaptionVariant::ActiveMenu, CaptionPiece::TopMiddle),
              SheetImage(71, 20, 0x00FF00FF));

    // A white background under everything else, off-white when the key is white,
    // and a sheet wide enough for the button block and the swatch row.
    EXPECT_EQ(SheetFault(d, Translate), "");
    SheetImage sheet = ComposeSkinImage(d, Translate);
    EXPECT_EQ(sheet.Pixel(sheet.Width() - 1, sheet.Height() - 1), 0x00FFFFFFu);
    EXPECT_GE(sheet.Width(), 61);
    d.picColor(Swatch::Neutral).backColor = 0x00FFFFFF;
    sheet = ComposeSkinImage(d, Translate);
    EXPECT_EQ(sheet.Pixel(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(sheet.Pixel(sheet.Width() - 1, sheet.Height() - 1), 0x00FEFEFEu);
}

TEST(SkinSheetMapping, SheetCheckRefusesWhatWouldNotReadBack) {
    const auto fault = [](void (*change)(SkinDocument&)) {
        SkinDocument d;
        change(d);
        EXPECT_EQ(PieceSizeFault(d), "");
        return SheetFault(d, Translate);
    };
    const std::string end = "\r\n\r\nThis is not allowed.";
    EXPECT_EQ(fault([](SkinDocument& d) { d.PieceBox(Piece::TopMiddle, 4).width = 70; }),
              "The Top Middle graphics are not the same width on all forms.\r\n\r\nActive Skin "
              "with Menu: Top Middle 71 pixels wide; In-Active Skin with No Menu: Top Middle 70 "
              "pixels wide." +
                  end);
    EXPECT_EQ(fault([](SkinDocument& d) { d.PieceBox(Piece::TopRight, 3).height = 21; }),
              "The Top Right graphics are not the same height as the Top Left graphics.\r\n\r\n"
              "Active Skin with No Menu: Top Left 20 pixels high, Top Right 21 pixels high." +
                  end);
    EXPECT_EQ(fault([](SkinDocument& d) {
                  for (int v = 1; v <= 4; ++v)
                      d.PieceBox(Piece::BtmRightSize, v).height = 9;
              }),
              "The Right Side graphics are not the same Height as the Bottom Right Sizable "
              "Corners.\r\n\r\nActive Skin with Menu: Right Side 15 pixels high, Bottom Right "
              "Sizable 9 pixels high." +
                  end);
    EXPECT_EQ(fault([](SkinDocument& d) {
                  for (int v = 1; v <= 4; ++v)
                      for (Piece p : {Piece::TopLeft, Piece::TopMiddle, Piece::TopRight})
                          d.PieceBox(p, v).height = 1;
              }),
              "The Top Left graphics are not more than one pixel high.\r\n\r\nActive Skin with "
              "Menu: Top Left 1 pixel high." +
                  end);
    // What the sheet library refuses, in the same style.
    const std::string values = fault([](SkinDocument& d) { d.SetText(Field::ButtonGap, "4096"); });
    EXPECT_NE(values.find("Button Gap"), std::string::npos);
    EXPECT_TRUE(values.ends_with(end));
    const std::string key = fault([](SkinDocument& d) {
        d.PieceBox(Piece::LeftSide, 1).Load(SheetImage(11, 15, 0x0000FF00));
    });
    EXPECT_NE(key.find("key colour"), std::string::npos);
}

TEST(SkinSheetMapping, NamesTheWithoutMenuPiecesThatTheSheetDoesNotKeep) {
    SkinDocument d;
    EXPECT_TRUE(PiecesNotKept(d).empty());
    d.PieceBox(Piece::BtmMid, 4).Load(SheetImage(11, 15, 0x00345678));
    d.PieceBox(Piece::LeftSide, 3).Load(SheetImage(11, 15, 0x00345678));
    EXPECT_EQ(PiecesNotKept(d),
              (std::vector<std::string>{"Left Side (variant 3)", "Bottom Middle (variant 4)"}));

    // They read back as the pieces of variants 1 and 2.
    const SheetImage sheet = ComposeSkinImage(d, Translate);
    SkinDocument loaded;
    ReadSkinImage(loaded, sheet, *ReadSkinSheet(sheet).sheet);
    EXPECT_EQ(loaded.PieceBox(Piece::LeftSide, 3), loaded.PieceBox(Piece::LeftSide, 1));
    EXPECT_EQ(loaded.PieceBox(Piece::BtmMid, 4).Shown(), SheetImage(11, 15, 0x00FF00FF));
}

} // namespace
} // namespace qel

namespace qel {
namespace {

TEST(SkinSheetMapping, LoadingRefusesWhatIsNoSheetAndChangesNothing) {
    SkinDocument d;
    d.PieceBox(Piece::TopLeft, 1).Load(SheetImage(21, 20, 0x00123456));
    d.SkinModified = true;
    const SkinDocument before = d;
    const SheetImage sheet = ComposeSkinImage(d, Translate);
    // Key pixels inside pieces where the scans pass: column 1 of the menu band,
    // row 1 of Top Left.
    SheetImage inColumn = sheet, inRow = sheet;
    inColumn.SetPixel(1, 9, 0x0000FF00);
    inRow.SetPixel(9, 1, 0x0000FF00);
    ASSERT_TRUE(ReadSkinSheet(inRow).sheet); // the scans alone are misled
    const SheetImage refused[] = {SheetImage(1, 1, 0),
                                  sheet.Cut({0, 0, sheet.Width(), 60}),
                                  SheetImage(4097, 2, 0x0000FF00),
                                  SheetImage(300, 200, 0x00777777),
                                  inColumn,
                                  inRow};
    for (const SheetImage& picture : refused) {
        EXPECT_NE(LoadSkinSheet(d, picture), "");
        EXPECT_EQ(d, before);
    }

    // Damaged sheets load or are refused whole, and never read outside the picture.
    std::mt19937 rng(3);
    for (int i = 0; i < 300; ++i) {
        SheetImage damaged = sheet;
        for (int n = 0; n < 1 + i % 8; ++n)
            damaged.SetPixel(rng() % sheet.Width(), rng() % sheet.Height(),
                             n % 2 ? 0x0000FF00 : rng() & 0xFFFFFF);
        SkinDocument target = before;
        if (!LoadSkinSheet(target, damaged).empty()) {
            EXPECT_EQ(target, before);
        }
    }

    EXPECT_EQ(LoadSkinSheet(d, sheet), "");
    EXPECT_EQ(d.PieceBox(Piece::TopLeft, 1), before.PieceBox(Piece::TopLeft, 1));
    EXPECT_EQ(d.ItemData(3, Piece::BtmMid), kHasGraphic);
    EXPECT_FALSE(d.SkinModified);
}

} // namespace
} // namespace qel
