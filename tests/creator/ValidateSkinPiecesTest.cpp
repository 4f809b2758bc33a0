#include "creator/sheet/ValidateSkinPieces.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

namespace qel {
namespace {

void Resize(SkinDocument& d, Piece piece, std::vector<int> variants, int width, int height) {
    for (int v : variants) {
        d.PieceBox(piece, v).width = width;
        d.PieceBox(piece, v).height = height;
    }
}

std::string Prompt(const std::string& message) {
    return message + "\r\n\r\nThis is not allowed.";
}

TEST(ValidateSkinPieces, PassesMatchingSizesWhateverTheTopMiddleAndRightAre) {
    SkinDocument d;
    Resize(d, Piece::TopMiddle, {2}, 5, 50);
    Resize(d, Piece::TopRight, {3, 4}, 9, 3);
    Resize(d, Piece::TopLeft, {3, 4}, 21, 33);           // the plain band is independent
    Resize(d, Piece::BtmLeftSize, {1, 2, 3, 4}, 30, 30); // never compared with the sides
    int shown = 0;
    EXPECT_TRUE(ValidateSkinPieces(d, [&](const std::string&) { ++shown; }));
    EXPECT_EQ(shown, 0);
}

// A piece in variants (or a caption button in states) first to last, grown by
// one pixel in the dimension its comparison measures.
struct Grow {
    std::variant<Piece, CaptionButton> box;
    int first, last;
};
using Break = std::vector<Grow>;

// A comparison: the size changes that each alone make it the first to fail
// (at both ends of its range where the range can show), and its message.
struct Comparison {
    bool height;
    std::vector<Break> breaks;
    const char* message;
};

using P = Piece;
using B = CaptionButton;
constexpr bool W = false, H = true;

// clang-format off
const Comparison kComparisons[] = {
    {W, {{{P::TopLeft, 2, 2}}, {{P::TopLeft, 4, 4}}}, "The Top Left graphics are not the same width on all forms."},
    {H, {{{P::TopLeft, 2, 2}}}, "The Active and In-Active Top Left graphics are not the same height on the Form with Menu screens."},
    {H, {{{P::TopLeft, 4, 4}}}, "The Active and In-Active Top Left graphics are not the same height on the Form with  No Menu screens."},
    {W, {{{P::LeftSide, 2, 2}}, {{P::LeftSide, 4, 4}}}, "The Left Side graphics are not the same width on all the Forms."},
    {H, {{{P::LeftSide, 2, 2}}, {{P::LeftSide, 4, 4}}}, "The Left Side graphics are not the same height on all the Forms."},
    {W, {{{P::RightSide, 2, 2}}, {{P::RightSide, 4, 4}}}, "The Right Side graphics are not the same width on all the Forms."},
    {H, {{{P::RightSide, 2, 2}}, {{P::RightSide, 4, 4}}}, "The Right Side graphics are not the same height on all the Forms."},
    {W, {{{P::BtmLeft, 2, 2}}, {{P::BtmLeft, 4, 4}}}, "The Bottom Left Corner graphics are not the same width on all the Forms."},
    {H, {{{P::BtmLeft, 2, 2}}, {{P::BtmLeft, 4, 4}}}, "The Bottom Left Corner graphics are not the same height on all the Forms."},
    {W, {{{P::BtmLeftSize, 2, 2}}, {{P::BtmLeftSize, 4, 4}}}, "The Bottom Left Sizable Corner graphics are not the same width on all the Forms."},
    {H, {{{P::BtmLeftSize, 2, 2}}, {{P::BtmLeftSize, 4, 4}}}, "The Bottom Left Sizable Corner graphics are not the same height on all the Forms."},
    {W, {{{P::BtmMid, 2, 2}}, {{P::BtmMid, 4, 4}}}, "The Bottom Middle graphic is not the same width on all the Forms."},
    {H, {{{P::BtmMid, 2, 2}}, {{P::BtmMid, 4, 4}}}, "The Bottom Middle graphic is not the same height on all the Forms."},
    {W, {{{P::BtmRight, 2, 2}}, {{P::BtmRight, 4, 4}}}, "The Bottom Right Corner graphics are not the same width on all the Forms."},
    {H, {{{P::BtmRight, 2, 2}}, {{P::BtmRight, 4, 4}}}, "The Bottom Right Corner graphics are not the same height on all the Forms."},
    {W, {{{P::BtmRightSize, 2, 2}}, {{P::BtmRightSize, 4, 4}}}, "The Bottom Right Sizable Corner graphics are not the same width on all the Forms."},
    {H, {{{P::BtmRightSize, 2, 2}}, {{P::BtmRightSize, 4, 4}}}, "The Bottom Right Sizable Corner graphics are not the same height on all the Forms."},
    {W, {{{P::LeftSide, 1, 4}}}, "The Left Side graphics are not the same Width as the Bottom Corners."},
    {H, {{{P::LeftSide, 1, 4}}}, "The Left Side graphics are not the same Height as the Bottom Corners."},
    {W, {{{P::RightSide, 1, 4}}}, "The Right Side graphics are not the same Width as the Bottom Corners."},
    {H, {{{P::RightSide, 1, 4}}}, "The Right Side graphics are not the same Height as the Bottom Corners."},
    {W, {{{P::BtmLeft, 1, 4}, {P::LeftSide, 1, 4}}}, "The Corner graphics are not the same Width."},
    {H, {{{P::BtmLeft, 1, 4}, {P::LeftSide, 1, 4}}}, "The Corner graphics are not the same Height."},
    {W, {{{P::BtmMid, 1, 4}}}, "The Bottom Middle graphics are not the same Width as the Bottom Buttons."},
    {H, {{{P::BtmMid, 1, 4}}}, "The Bottom Middle graphics are not the same Height as the Bottom Buttons."},
    {W, {{{B::Close, 2, 2}}, {{B::Close, 4, 4}}}, "The Close Button graphics are not the same Width."},
    {H, {{{B::Close, 2, 2}}, {{B::Close, 4, 4}}}, "The Close Button graphics are not the same Height."},
    {W, {{{B::Restore, 1, 1}}, {{B::Restore, 4, 4}}}, "The Restore Button graphics are not the same Width as all other buttons."},
    {H, {{{B::Restore, 1, 1}}, {{B::Restore, 4, 4}}}, "The Restore Button graphics are not the same Height as all other buttons."},
    {W, {{{B::Maximize, 1, 1}}, {{B::Maximize, 4, 4}}}, "The Maximize Button graphics are not the same Width as all other buttons."},
    {H, {{{B::Maximize, 1, 1}}, {{B::Maximize, 4, 4}}}, "The Maximize Button graphics are not the same Height as all other buttons."},
    {W, {{{B::Minimize, 1, 1}}, {{B::Minimize, 4, 4}}}, "The Minimize Button graphics are not the same Width as all other buttons."},
    {H, {{{B::Minimize, 1, 1}}, {{B::Minimize, 4, 4}}}, "The Minimize Button graphics are not the same Height as all other buttons."},
};
// clang-format on

TEST(ValidateSkinPieces, EachComparisonIsTheFirstToFailWhereItsSizesDiffer) {
    for (const Comparison& c : kComparisons)
        for (const Break& grown : c.breaks) {
            SCOPED_TRACE(c.message);
            SkinDocument d;
            for (const Grow& g : grown)
                for (int i = g.first; i <= g.last; ++i) {
                    GraphicBox& box = std::holds_alternative<Piece>(g.box)
                                          ? d.PieceBox(std::get<Piece>(g.box), i)
                                          : d.ButtonBox(std::get<CaptionButton>(g.box), i);
                    ++(c.height ? box.height : box.width);
                }
            std::vector<std::string> shown;
            EXPECT_FALSE(ValidateSkinPieces(d, [&](const std::string& s) { shown.push_back(s); }));
            EXPECT_EQ(shown, std::vector<std::string>{Prompt(c.message)});
        }
}

} // namespace
} // namespace qel
