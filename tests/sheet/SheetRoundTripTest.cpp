#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"
#include "sheet/SkinSlice.h"
#include "tests/sheet/SheetFuzzer.h"
#include "tests/sheet/SkinSamples.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// The caption picture slicing should make: each piece without its band's last row.
SheetImage ExpectedCaption(const SkinSheetContent& c, bool hasMenu) {
    using V = CaptionVariant;
    const V sets[] = {hasMenu ? V::ActiveMenu : V::ActivePlain,
                      hasMenu ? V::InactiveMenu : V::InactivePlain};
    const SkinSheetGeometry g = c.Geometry();
    const int height = g.BandHeight(sets[0]) - 1;
    SheetImage caption(2 * g.CaptionSetWidth(), height);
    int x = 0;
    for (V v : sets)
        for (int p = 0; p < kCaptionPieces; ++p) {
            const SheetImage& piece = c.Caption(v, static_cast<CaptionPiece>(p));
            caption.Draw(piece, {0, 0, piece.Width(), height}, x, 0);
            x += piece.Width();
        }
    return caption;
}

TEST(SheetRoundTrip, RandomSkinsReadAndSliceBackToTheirContent) {
    std::mt19937 rng(5);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        test::SampleSkin skin = test::RandomSkin(rng);
        const SkinSheetContent& c = skin.content;
        ASSERT_EQ(CheckSkinSheetContent(c, skin.background), "");
        const SheetImage sheet = ComposeSkinSheet(c, skin.background);
        SkinSheetReading reading = ReadSkinSheet(sheet);
        ASSERT_TRUE(reading.sheet) << reading.problem;
        EXPECT_EQ(reading.sheet->geometry, c.Geometry());
        ASSERT_EQ(CutSkinSheetContent(sheet, *reading.sheet, FlagRule::Creator), c);

        for (bool hasMenu : {true, false}) {
            SkinSliceResult result = SliceSkinSheet(sheet, {.hasMenu = hasMenu});
            if (c.Geometry().BandHeight(hasMenu ? CaptionVariant::ActiveMenu
                                                : CaptionVariant::ActivePlain) == 1) {
                EXPECT_FALSE(result.slice);
                continue;
            }
            ASSERT_TRUE(result.slice) << result.problem;
            const SkinSlice& s = *result.slice;
            EXPECT_EQ(CutPicture(sheet, s.caption), ExpectedCaption(c, hasMenu));
            SheetImage borders = CutPicture(sheet, s.borders);
            for (int k = 0; k < kStripCells; ++k) {
                const SheetImage& piece = c.stripPieces[k];
                EXPECT_EQ(borders.Cut({k * piece.Width(), 0, piece.Width(), piece.Height()}),
                          piece);
            }
            SheetImage buttons = CutPicture(sheet, s.buttons);
            for (int i = 0; i < kButtonStates * kCaptionButtons; ++i) {
                const SheetImage& image = c.buttons[i];
                SheetRect at{i % kCaptionButtons * image.Width(),
                             i / kCaptionButtons * image.Height(), image.Width(), image.Height()};
                EXPECT_EQ(buttons.Cut(at), image);
            }
            EXPECT_EQ(s.RoundAngle, c.Value(SheetValue::RoundAngle));
            EXPECT_EQ(s.config.DrawTitle, c.Flag(SheetFlag::DrawCaption));
            EXPECT_EQ(s.config.MenuBackgroundColor, c.Colour(SheetColour::MenuBackground));
        }
    }
}

TEST(SheetRoundTrip, MutatedSheetsAndRandomPicturesAreReadSafely) {
    test::SheetFuzzer fuzzer(6);
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(fuzzer.RunOne(), "") << "input " << i;
    // Every kind of input came, and some mutated sheets got through.
    for (int kind = 0; kind < test::SheetFuzzer::kKinds; ++kind)
        EXPECT_GT(fuzzer.runs[kind], 1000);
    EXPECT_GT(fuzzer.sliced[test::SheetFuzzer::kMutated], 100);
}

} // namespace
} // namespace qel
