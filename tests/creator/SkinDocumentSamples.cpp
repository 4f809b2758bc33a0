#include "tests/creator/SkinDocumentSamples.h"

#include <string>

namespace qel::test {
namespace {

constexpr Piece kStrip[kStripPieces] = {Piece::LeftSide, Piece::BtmLeft,  Piece::BtmLeftSize,
                                        Piece::BtmMid,   Piece::BtmRight, Piece::BtmRightSize,
                                        Piece::RightSide};
using enum Swatch;
constexpr Swatch kColourSwatch[kSheetColours] = {
    ActiveFormBack, ActiveCaption,  InactiveCaption, ActiveMenu, InactiveMenu,
    MenuHighlight,  MenuBackground, Empty,           FormText,   InactiveFormBack};

} // namespace

SkinDocument DocumentOf(const SkinSheetContent& c, std::mt19937& rng) {
    SkinDocument d;
    d.picColor(Neutral).backColor = c.key;
    for (int v = 0; v < kCaptionVariants; ++v)
        for (int p = 0; p < kCaptionPieces; ++p)
            d.PieceBox(static_cast<Piece>(p), v + 1).Load(c.captionPieces[v * kCaptionPieces + p]);
    for (int v = 0; v < kFrameVariants; ++v)
        for (int p = 0; p < kStripPieces; ++p)
            for (int variant : {v + 1, v + 3})
                d.PieceBox(kStrip[p], variant).Load(c.stripPieces[v * kStripPieces + p]);
    for (int s = 0; s < kButtonStates; ++s)
        for (int b = 0; b < kCaptionButtons; ++b)
            d.ButtonBox(static_cast<CaptionButton>(b), s + 1)
                .Load(c.buttons[s * kCaptionButtons + b]);
    for (int k = 0; k < kSheetColours; ++k)
        d.picColor(kColourSwatch[k]).backColor = c.colours[k];
    for (int f = 0; f < kSheetFlags; ++f)
        d.CheckValue(kFlagCheck[f]) =
            c.flags[f] ? 1 : static_cast<int>(rng() % 2) * 2; // greyed is off
    for (int k = 0; k < kSheetValues; ++k) {
        const int32_t v = c.values[k];
        // Texts that Val() and rounding half to even bring back to v.
        const std::string texts[] = {std::to_string(v), std::to_string(v) + "/7",
                                     std::to_string(v) + (v % 2 == 0 ? ".5" : ".4"),
                                     v > 0 ? std::to_string(v - 1) + ".6" : " 0"};
        d.SetText(kValueField[k], texts[rng() % 4]);
    }
    d.CheckValue(Option::ShowSizableCorners) = 1; // not stored
    return d;
}

} // namespace qel::test
