#include "creator/editor/AssignPieceGraphic.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

namespace qel {
namespace {

SheetImage Graphic(int width, int height, uint32_t colour = 0x00123456) {
    return SheetImage(width, height, colour);
}

TEST(AssignPieceGraphic, TopLeftGivesItsWidthToAllAndItsHeightToThePairedBand) {
    SkinDocument d;
    PieceUpdate update{true, false, false, false, 1};
    AssignPieceGraphic(d, 0, update, Graphic(24, 30));
    EXPECT_EQ(d.PieceBox(Piece::TopLeft, 1).picture, Graphic(24, 30));
    EXPECT_EQ(d.ItemData(1, Piece::TopLeft), kHasGraphic);
    for (int v : {2, 3, 4}) {
        EXPECT_EQ(d.PieceBox(Piece::TopLeft, v).width, 24) << v;
        EXPECT_TRUE(d.PieceBox(Piece::TopLeft, v).picture.Empty()) << v;
        EXPECT_EQ(d.ItemData(v, Piece::TopLeft), 0) << v;
    }
    for (Piece p : {Piece::TopLeft, Piece::TopMiddle, Piece::TopRight})
        EXPECT_EQ(d.PieceBox(p, 2).height, 30);
    EXPECT_EQ(d.PieceBox(Piece::TopLeft, 3).height, 20);
    EXPECT_EQ(d.PieceBox(Piece::TopMiddle, 1).height, 20);
    EXPECT_EQ(d.PieceBox(Piece::TopRight, 1).height, 20);
    EXPECT_EQ(d.Text(Field::CaptionLeft), "24");
    EXPECT_EQ(d.Text(Field::MenuLeft), "24");
    EXPECT_EQ(update.cornerKind, 1); // not a bottom corner: left alone
}

TEST(AssignPieceGraphic, ABottomCornerFillsTheOtherKindOnlyWhenAsked) {
    SkinDocument d;
    PieceUpdate update{true, true, false, false, 1};
    AssignPieceGraphic(d, 5, update, Graphic(12, 14));
    EXPECT_EQ(update.cornerKind, 0);
    for (Piece p : {Piece::BtmLeft, Piece::BtmLeftSize})
        for (int v = 1; v <= 4; ++v) {
            const bool chosen = v == 1 || v == 3;
            EXPECT_EQ(d.PieceBox(p, v).picture.Empty(), !chosen);
            EXPECT_EQ(d.ItemData(v, p), chosen ? kHasGraphic : 0);
            EXPECT_EQ(d.PieceBox(p, v).width, 12);
            EXPECT_EQ(d.PieceBox(p, v).height, 14);
        }

    const SkinDocument before = d;
    update = {false, false, false, true, 0};
    AssignPieceGraphic(d, 9, update, Graphic(5, 6));
    EXPECT_EQ(d.PieceBox(Piece::BtmRightSize, 4).width, 5);
    for (int v = 1; v <= 4; ++v)
        EXPECT_EQ(d.PieceBox(Piece::BtmRight, v), before.PieceBox(Piece::BtmRight, v));
    EXPECT_EQ(update.cornerKind, 0);
}

TEST(AssignPieceGraphic, RefusesUnknownPiecesAndGraphicsTooLargeForASheet) {
    SkinDocument d;
    const SkinDocument before = d;
    PieceUpdate update{true, true, true, true, 1};
    for (int piece : {-1, 10, 12})
        AssignPieceGraphic(d, piece, update, Graphic(3, 3));
    EXPECT_THROW(AssignPieceGraphic(d, 5, update, Graphic(kMaxSheetSide + 1, 2)),
                 std::invalid_argument);
    EXPECT_THROW(AssignPieceGraphic(d, 0, update, Graphic(2, kMaxSheetSide + 1)),
                 std::invalid_argument);
    EXPECT_EQ(d, before);
    EXPECT_EQ(update.cornerKind, 1);
    AssignPieceGraphic(d, 7, update, Graphic(kMaxSheetSide, 1));
    EXPECT_EQ(d.PieceBox(Piece::BtmMid, 2).width, kMaxSheetSide);
}

// A model of the propagation that works on sets rather than steps: since every
// chosen box takes the same graphic, only who receives which size matters.
struct Model {
    SkinDocument expected;

    void Assign(int piece, PieceUpdate& update, const SheetImage& g) {
        if (piece < 0 || piece > 9) return;
        Fill(static_cast<Piece>(piece), update, g);
        const int other[kPieces] = {-1, -1, -1, -1, -1, 6, 5, -1, 9, 8};
        if (other[piece] >= 0 && update.cornerKind > 0) {
            update.cornerKind = 0;
            Fill(static_cast<Piece>(other[piece]), update, g);
        }
        if (piece == 0) {
            expected.SetText(Field::CaptionLeft, std::to_string(g.Width()));
            expected.SetText(Field::MenuLeft, std::to_string(g.Width()));
        }
    }

    void Fill(Piece p, const PieceUpdate& update, const SheetImage& g) {
        bool any = false, heightTo[kVariants + 1] = {};
        for (int v = 1; v <= kVariants; ++v) {
            if (!update.For(v)) continue;
            any = true;
            expected.PieceBox(p, v).picture = g;
            expected.ItemData(v, p) = kHasGraphic;
            heightTo[v] = heightTo[v % 2 ? v + 1 : v - 1] = true;
        }
        if (!any) return;
        const bool top = p <= Piece::TopRight;
        for (int v = 1; v <= kVariants; ++v) {
            expected.PieceBox(p, v).width = g.Width();
            if (!top || heightTo[v]) expected.PieceBox(p, v).height = g.Height();
        }
        if (p == Piece::TopLeft)
            for (int v = 1; v <= kVariants; ++v)
                if (update.For(v % 2 ? v + 1 : v - 1)) // the paired variant of a chosen one
                    for (Piece q : {Piece::TopMiddle, Piece::TopRight})
                        expected.PieceBox(q, v).height = g.Height();
    }
};

TEST(AssignPieceGraphic, RandomSequencesFollowThePropagationModel) {
    std::mt19937 rng(12);
    for (int round = 0; round < 20; ++round) {
        SkinDocument d;
        Model model;
        for (int step = 0; step < 40; ++step) {
            const int piece = std::uniform_int_distribution<>(-1, 10)(rng);
            auto bit = [&] { return std::uniform_int_distribution<>(0, 1)(rng) == 1; };
            const int kind = std::uniform_int_distribution<>(0, 2)(rng);
            PieceUpdate update{bit(), bit(), bit(), bit(), kind}, modelUpdate = update;
            const SheetImage g = Graphic(std::uniform_int_distribution<>(1, 40)(rng),
                                         std::uniform_int_distribution<>(1, 40)(rng), step);
            AssignPieceGraphic(d, piece, update, g);
            model.Assign(piece, modelUpdate, g);
            ASSERT_EQ(update, modelUpdate) << round << "/" << step;
            ASSERT_EQ(d, model.expected) << round << "/" << step << " piece " << piece;
        }
    }
}

} // namespace
} // namespace qel
