#include "creator/editor/PreviewLayout.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

PreviewFormMetrics Form(int width = 312, int height = 206) {
    return {width, height, width, height, {16, 16, 16, 16}, 48, 13};
}

void Size(SkinDocument& d, Piece piece, int variant, int width, int height) {
    d.PieceBox(piece, variant).width = width;
    d.PieceBox(piece, variant).height = height;
}

void FlagAll(SkinDocument& d, int variant) {
    for (int k = 0; k < kPieces; ++k)
        d.ItemData(variant, static_cast<Piece>(k)) = kHasGraphic;
}

const PieceRun* RunOf(const PreviewLayout& layout, Piece piece) {
    for (const PieceRun& run : layout.runs)
        if (run.piece == piece) return &run;
    return nullptr;
}

TEST(PreviewLayout, RunsFillTheEdgesBetweenTheCornersAndOvershoot) {
    SkinDocument d;
    FlagAll(d, 3);
    Size(d, Piece::TopLeft, 3, 20, 25);
    Size(d, Piece::TopRight, 3, 20, 25);
    Size(d, Piece::TopMiddle, 3, 8, 25);
    Size(d, Piece::BtmLeft, 3, 10, 12);
    Size(d, Piece::LeftSide, 3, 4, 0); // no length along its run: no copies
    Size(d, Piece::RightSide, 3, 4, 50);
    const PreviewLayout layout = LayOutPreview(d, 3, Form());

    const PieceRun* top = RunOf(layout, Piece::TopMiddle);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->copies, 35); // Int(272 / 8) + 1
    EXPECT_EQ(top->CopyAt(0), std::make_pair(20, 0));
    EXPECT_EQ(top->CopyAt(34), std::make_pair(292, 0));
    EXPECT_EQ(top->width, 8);
    EXPECT_EQ(top->variant, 3);
    EXPECT_EQ(RunOf(layout, Piece::LeftSide), nullptr);
    const PieceRun* right = RunOf(layout, Piece::RightSide);
    EXPECT_EQ(right->copies, 4); // Int(169 / 50) + 1, measured by Top Left and fixed Bottom Left
    EXPECT_EQ(right->CopyAt(1), std::make_pair(308, 75));
    EXPECT_EQ(layout.runs.back().piece, Piece::BtmRight); // corners last, fixed ones
    EXPECT_EQ(layout.runs.back().CopyAt(0), std::make_pair(301, 191));

    // A form narrower than its top corners still runs rightwards from Top Left.
    const PreviewLayout narrowForm = LayOutPreview(d, 3, Form(30));
    const PieceRun* narrow = RunOf(narrowForm, Piece::TopMiddle);
    EXPECT_EQ(narrow->copies, 2);
    EXPECT_EQ(narrow->CopyAt(1), std::make_pair(28, 0));
}

TEST(PreviewLayout, SizableCornersAreDrawnWhereFlaggedButRunsMeasureTheFixedOnes) {
    SkinDocument d;
    d.CheckValue(Option::ShowSizableCorners) = 2; // greyed counts as ticked
    d.ItemData(1, Piece::BtmLeftSize) = kHasGraphic;
    d.ItemData(1, Piece::BtmRightSize) = kHasGraphic;
    d.ItemData(1, Piece::BtmMid) = kHasGraphic;
    Size(d, Piece::BtmLeftSize, 1, 30, 40);
    Size(d, Piece::BtmRightSize, 1, 6, 7);
    Size(d, Piece::BtmMid, 1, 10, 5);
    const PreviewLayout layout = LayOutPreview(d, 1, Form());
    ASSERT_EQ(layout.runs.size(), 3u);
    EXPECT_EQ(layout.runs[0].CopyAt(0), std::make_pair(11, 201)); // from the fixed 11 wide
    EXPECT_EQ(layout.runs[0].copies, 30);                         // Int(290 / 10) + 1
    EXPECT_EQ(layout.runs[1].piece, Piece::BtmLeftSize);
    EXPECT_EQ(layout.runs[1].CopyAt(0), std::make_pair(0, 166));
    EXPECT_EQ(layout.runs[2].CopyAt(0), std::make_pair(306, 199));

    d.CheckValue(Option::ShowSizableCorners) = 0; // the fixed corners are not flagged: no corners
    EXPECT_EQ(LayOutPreview(d, 1, Form()).runs.size(), 1u);
}

TEST(PreviewLayout, PlacesTheSampleControlsFromTheFields) {
    SkinDocument d;
    d.SetText(Field::CaptionLeft, "12/5");
    d.SetText(Field::ButtonGap, "");
    d.SetText(Field::ButtonLeft, "3");
    d.SetText(Field::ButtonsTop, "7");
    d.SetText(Field::CaptionTopNoMenu, "9");
    d.SetText(Field::MenuTop, "15");
    d.picColor(Swatch::InactiveMenu).backColor = 0x00445566;
    PreviewFormMetrics form = Form();
    form.buttonWidths = {16, 20, 18, 14};
    const PreviewLayout inactive = LayOutPreview(d, 2, form);
    EXPECT_TRUE(inactive.runs.empty());
    EXPECT_EQ(inactive.caption, (ControlPlace{12, 5}));
    EXPECT_EQ(inactive.menu, (ControlPlace{0, 20}));
    EXPECT_EQ(inactive.menuColour, 0x00445566u);
    EXPECT_EQ(inactive.icon, (ControlPlace{5, 5}));
    // Empty "Button Gap": the minimise image touches the restore place.
    const float lefts[4] = {293, 273, 275, 259};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(inactive.buttons[k], (ControlPlace{lefts[k], 7})) << k;
    EXPECT_FALSE(inactive.textSample);

    const PreviewLayout plain = LayOutPreview(d, 3, form);
    EXPECT_EQ(plain.caption, (ControlPlace{12, 9}));
    EXPECT_FALSE(plain.menu);
    EXPECT_EQ(plain.textSample, (ControlPlace{132, 96.5f}));

    d.SetText(Field::IconTop, "99999999999999999999"); // far out of sight, not an overflow
    EXPECT_EQ(LayOutPreview(d, 4, form).icon.top, float(1 << 24));
}

TEST(PreviewLayout, RoundsTheChosenCornersOnly) {
    SkinDocument d;
    d.SetText(Field::RoundAngle, "10");
    d.CheckValue(Option::RoundTopCorners) = 1;
    EXPECT_EQ(LayOutPreview(d, 4, Form()).region, (RoundRegion{0, 0, 313, 227, 10}));
    d.CheckValue(Option::RoundBottomCorners) = 1;
    EXPECT_EQ(LayOutPreview(d, 4, Form()).region, (RoundRegion{0, 0, 313, 207, 10}));
    d.CheckValue(Option::RoundTopCorners) = 0;
    EXPECT_EQ(LayOutPreview(d, 4, Form()).region, (RoundRegion{0, -20, 313, 207, 10}));
    d.CheckValue(Option::RoundBottomCorners) = 0;
    EXPECT_EQ(LayOutPreview(d, 4, Form()).region, (RoundRegion{0, 0, 313, 207, 0}));
    d.SetText(Field::RoundAngle, "0");
    d.CheckValue(Option::RoundTopCorners) = d.CheckValue(Option::RoundBottomCorners) = 1;
    EXPECT_EQ(LayOutPreview(d, 4, Form()).region, (RoundRegion{0, 0, 313, 207, 0}));
    d.SetText(Field::RoundAngle, "9999999999999");
    d.CheckValue(Option::RoundBottomCorners) = 0;
    EXPECT_EQ(LayOutPreview(d, 4, Form()).region,
              (RoundRegion{0, 0, 313, 207 + 2 * kMaxRoundAngle, kMaxRoundAngle}));
    EXPECT_EQ(RoundCornersRegion(312, 206, -10, false, true), (RoundRegion{0, 0, 313, 207, 0}));
}

} // namespace
} // namespace qel
