#include "creator/sheet/ValidateSkinPieces.h"

namespace qel {
namespace {

enum class Dim { Width, Height };

// A box of a comparison: a piece box by variant or a caption-button box by
// state; index 0 stands for the row's loop index.
struct Box {
    bool button;
    int which; // Piece or CaptionButton
    int index;
};

struct Comparison {
    Dim dim;
    Box box, other;
    int from, to; // the loop's range
    const char* message;
};

constexpr Box PieceAt(Piece p, int index = 0) {
    return {false, static_cast<int>(p), index};
}
constexpr Box ButtonAt(CaptionButton b, int index = 0) {
    return {true, static_cast<int>(b), index};
}

using P = Piece;
using B = CaptionButton;
constexpr Dim W = Dim::Width, H = Dim::Height;

// clang-format off
constexpr Comparison kComparisons[] = {
    {W, PieceAt(P::TopLeft), PieceAt(P::TopLeft, 1), 2, 4, "The Top Left graphics are not the same width on all forms."},
    {H, PieceAt(P::TopLeft), PieceAt(P::TopLeft, 1), 2, 2, "The Active and In-Active Top Left graphics are not the same height on the Form with Menu screens."},
    {H, PieceAt(P::TopLeft), PieceAt(P::TopLeft, 3), 4, 4, "The Active and In-Active Top Left graphics are not the same height on the Form with  No Menu screens."},
    {W, PieceAt(P::LeftSide), PieceAt(P::LeftSide, 1), 2, 4, "The Left Side graphics are not the same width on all the Forms."},
    {H, PieceAt(P::LeftSide), PieceAt(P::LeftSide, 1), 2, 4, "The Left Side graphics are not the same height on all the Forms."},
    {W, PieceAt(P::RightSide), PieceAt(P::RightSide, 1), 2, 4, "The Right Side graphics are not the same width on all the Forms."},
    {H, PieceAt(P::RightSide), PieceAt(P::RightSide, 1), 2, 4, "The Right Side graphics are not the same height on all the Forms."},
    {W, PieceAt(P::BtmLeft), PieceAt(P::BtmLeft, 1), 2, 4, "The Bottom Left Corner graphics are not the same width on all the Forms."},
    {H, PieceAt(P::BtmLeft), PieceAt(P::BtmLeft, 1), 2, 4, "The Bottom Left Corner graphics are not the same height on all the Forms."},
    {W, PieceAt(P::BtmLeftSize), PieceAt(P::BtmLeftSize, 1), 2, 4, "The Bottom Left Sizable Corner graphics are not the same width on all the Forms."},
    {H, PieceAt(P::BtmLeftSize), PieceAt(P::BtmLeftSize, 1), 2, 4, "The Bottom Left Sizable Corner graphics are not the same height on all the Forms."},
    {W, PieceAt(P::BtmMid), PieceAt(P::BtmMid, 1), 2, 4, "The Bottom Middle graphic is not the same width on all the Forms."},
    {H, PieceAt(P::BtmMid), PieceAt(P::BtmMid, 1), 2, 4, "The Bottom Middle graphic is not the same height on all the Forms."},
    {W, PieceAt(P::BtmRight), PieceAt(P::BtmRight, 1), 2, 4, "The Bottom Right Corner graphics are not the same width on all the Forms."},
    {H, PieceAt(P::BtmRight), PieceAt(P::BtmRight, 1), 2, 4, "The Bottom Right Corner graphics are not the same height on all the Forms."},
    {W, PieceAt(P::BtmRightSize), PieceAt(P::BtmRightSize, 1), 2, 4, "The Bottom Right Sizable Corner graphics are not the same width on all the Forms."},
    {H, PieceAt(P::BtmRightSize), PieceAt(P::BtmRightSize, 1), 2, 4, "The Bottom Right Sizable Corner graphics are not the same height on all the Forms."},
    {W, PieceAt(P::BtmLeft), PieceAt(P::LeftSide), 1, 4, "The Left Side graphics are not the same Width as the Bottom Corners."},
    {H, PieceAt(P::BtmLeft), PieceAt(P::LeftSide), 1, 4, "The Left Side graphics are not the same Height as the Bottom Corners."},
    {W, PieceAt(P::BtmRight), PieceAt(P::RightSide), 1, 4, "The Right Side graphics are not the same Width as the Bottom Corners."},
    {H, PieceAt(P::BtmRight), PieceAt(P::RightSide), 1, 4, "The Right Side graphics are not the same Height as the Bottom Corners."},
    {W, PieceAt(P::BtmRight), PieceAt(P::BtmLeft), 1, 4, "The Corner graphics are not the same Width."},
    {H, PieceAt(P::BtmRight), PieceAt(P::BtmLeft), 1, 4, "The Corner graphics are not the same Height."},
    {W, PieceAt(P::BtmRight), PieceAt(P::BtmMid), 1, 4, "The Bottom Middle graphics are not the same Width as the Bottom Buttons."},
    {H, PieceAt(P::BtmRight), PieceAt(P::BtmMid), 1, 4, "The Bottom Middle graphics are not the same Height as the Bottom Buttons."},
    {W, ButtonAt(B::Close), ButtonAt(B::Close, 1), 2, 4, "The Close Button graphics are not the same Width."},
    {H, ButtonAt(B::Close), ButtonAt(B::Close, 1), 2, 4, "The Close Button graphics are not the same Height."},
    {W, ButtonAt(B::Restore), ButtonAt(B::Close, 1), 1, 4, "The Restore Button graphics are not the same Width as all other buttons."},
    {H, ButtonAt(B::Restore), ButtonAt(B::Close, 1), 1, 4, "The Restore Button graphics are not the same Height as all other buttons."},
    {W, ButtonAt(B::Maximize), ButtonAt(B::Close, 1), 1, 4, "The Maximize Button graphics are not the same Width as all other buttons."},
    {H, ButtonAt(B::Maximize), ButtonAt(B::Close, 1), 1, 4, "The Maximize Button graphics are not the same Height as all other buttons."},
    {W, ButtonAt(B::Minimize), ButtonAt(B::Close, 1), 1, 4, "The Minimize Button graphics are not the same Width as all other buttons."},
    {H, ButtonAt(B::Minimize), ButtonAt(B::Close, 1), 1, 4, "The Minimize Button graphics are not the same Height as all other buttons."},
};
// clang-format on

int Measure(const SkinDocument& document, Dim dim, const Box& box, int loopIndex) {
    const int index = box.index ? box.index : loopIndex;
    const GraphicBox& b = box.button
                              ? document.ButtonBox(static_cast<CaptionButton>(box.which), index)
                              : document.PieceBox(static_cast<Piece>(box.which), index);
    return dim == Dim::Width ? b.width : b.height;
}

} // namespace

std::string FaultPrompt(const std::string& message) {
    return message + "\r\n\r\nThis is not allowed.";
}

std::string PieceSizeFault(const SkinDocument& document) {
    for (const Comparison& c : kComparisons)
        for (int i = c.from; i <= c.to; ++i)
            if (Measure(document, c.dim, c.box, i) != Measure(document, c.dim, c.other, i))
                return FaultPrompt(c.message);
    return {};
}

bool ValidateSkinPieces(const SkinDocument& document, const ShowFault& show) {
    const std::string fault = PieceSizeFault(document);
    if (fault.empty()) return true;
    show(fault);
    return false;
}

} // namespace qel
