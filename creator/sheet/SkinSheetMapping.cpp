#include "creator/sheet/SkinSheetMapping.h"
#include "base/Rounding.h"
#include "base/Val.h"
#include "creator/sheet/ValidateSkinPieces.h"
#include "sheet/SkinSheetWriter.h"

namespace qel {
namespace {

using enum Swatch;
using enum Option;
using enum Field;
// The swatch of each sheet colour, in SheetColour order.
constexpr Swatch kColourSwatch[kSheetColours] = {
    ActiveFormBack, ActiveCaption,  InactiveCaption, ActiveMenu, InactiveMenu,
    MenuHighlight,  MenuBackground, Empty,           FormText,   InactiveFormBack};
// The check box of each flag, in SheetFlag order.
constexpr Option kFlagCheck[kSheetFlags] = {RoundTopCorners, RoundBottomCorners, DrawCaption,
                                            DrawFormIcon, ShiftCaption};
// The number field of each value row, in SheetValue order.
constexpr Field kValueField[kSheetValues] = {
    RoundAngle, CaptionTopWithMenu, ButtonLeft, ButtonsTop, ButtonGap,  MenuTop,
    MenuLeft,   CaptionTopNoMenu,   IconTop,    IconLeft,   CaptionLeft};
// The piece box of each strip piece, in StripPiece order.
constexpr Piece kStripBox[kStripPieces] = {Piece::LeftSide, Piece::BtmLeft,  Piece::BtmLeftSize,
                                           Piece::BtmMid,   Piece::BtmRight, Piece::BtmRightSize,
                                           Piece::RightSide};
constexpr uint32_t kWhite = 0x00FFFFFF;

// The comparisons that keep a sheet readable beyond the validation's:
// `box` of variant i must measure `other` of variant i (or of the fixed
// variant `otherVariant`) for i = 1 to 4.
struct ReadBackRule {
    bool height;
    Piece box, other;
    int otherVariant; // 0: the same variant as the box
    const char* message;
};

// clang-format off
constexpr ReadBackRule kReadBackRules[] = {
    {false, Piece::TopMiddle, Piece::TopMiddle, 1, "The Top Middle graphics are not the same width on all forms."},
    {true, Piece::TopMiddle, Piece::TopLeft, 0, "The Top Middle graphics are not the same height as the Top Left graphics."},
    {false, Piece::TopRight, Piece::TopRight, 1, "The Top Right graphics are not the same width on all forms."},
    {true, Piece::TopRight, Piece::TopLeft, 0, "The Top Right graphics are not the same height as the Top Left graphics."},
    {false, Piece::BtmLeftSize, Piece::LeftSide, 0, "The Left Side graphics are not the same Width as the Bottom Left Sizable Corners."},
    {true, Piece::BtmLeftSize, Piece::LeftSide, 0, "The Left Side graphics are not the same Height as the Bottom Left Sizable Corners."},
    {false, Piece::BtmRightSize, Piece::RightSide, 0, "The Right Side graphics are not the same Width as the Bottom Right Sizable Corners."},
    {true, Piece::BtmRightSize, Piece::RightSide, 0, "The Right Side graphics are not the same Height as the Bottom Right Sizable Corners."},
};
// clang-format on

// "Top Left 24 pixels high": the size of a piece box of `variant`.
std::string Measured(const SkinDocument& d, Piece piece, int variant, bool height) {
    const GraphicBox& box = d.PieceBox(piece, variant);
    const int size = height ? box.height : box.width;
    return std::string(PieceName(piece)) + " " + std::to_string(size) +
           (size == 1 ? " pixel" : " pixels") + (height ? " high" : " wide");
}

// The prompt for `message` with the variants and the sizes found.
std::string Found(const std::string& message, const std::string& sizes) {
    return FaultPrompt(message + "\r\n\r\n" + sizes + ".");
}

} // namespace

uint32_t SheetBackground(uint32_t key) {
    return key == kWhite ? 0x00FEFEFE : kWhite;
}

SkinSheetContent SheetContentOf(const SkinDocument& d, const TranslateColour& translate) {
    SkinSheetContent c;
    c.key = translate(d.picColor(Neutral).backColor);
    for (int v = 0; v < kCaptionVariants; ++v)
        for (int p = 0; p < kCaptionPieces; ++p)
            c.captionPieces[v * kCaptionPieces + p] =
                d.PieceBox(static_cast<Piece>(p), v + 1).Shown();
    for (int v = 0; v < kFrameVariants; ++v)
        for (int p = 0; p < kStripPieces; ++p)
            c.stripPieces[v * kStripPieces + p] = d.PieceBox(kStripBox[p], v + 1).Shown();
    for (int s = 0; s < kButtonStates; ++s)
        for (int b = 0; b < kCaptionButtons; ++b)
            c.buttons[s * kCaptionButtons + b] =
                d.ButtonBox(static_cast<CaptionButton>(b), s + 1).Shown();
    for (int k = 0; k < kSheetColours; ++k)
        c.colours[k] = translate(d.picColor(kColourSwatch[k]).backColor);
    for (int f = 0; f < kSheetFlags; ++f)
        c.flags[f] = d.CheckValue(kFlagCheck[f]) == 1;
    for (int k = 0; k < kSheetValues; ++k)
        c.values[k] = RoundHalfEven(Val(d.Text(kValueField[k])));
    return c;
}

std::string SheetFault(const SkinDocument& d, const TranslateColour& translate) {
    for (const ReadBackRule& r : kReadBackRules)
        for (int v = 1; v <= kVariants; ++v) {
            const int o = r.otherVariant ? r.otherVariant : v;
            const GraphicBox &box = d.PieceBox(r.box, v), &other = d.PieceBox(r.other, o);
            if (r.height ? box.height == other.height : box.width == other.width) continue;
            return Found(r.message, VariantName(o) + ": " + Measured(d, r.other, o, r.height) +
                                        (o == v ? ", " : "; " + VariantName(v) + ": ") +
                                        Measured(d, r.box, v, r.height));
        }
    for (int v : {1, 3})
        if (d.PieceBox(Piece::TopLeft, v).height < 2)
            return Found("The Top Left graphics are not more than one pixel high.",
                         VariantName(v) + ": " + Measured(d, Piece::TopLeft, v, true));
    const SkinSheetContent content = SheetContentOf(d, translate);
    if (std::string problem = CheckSkinSheetContent(content, SheetBackground(content.key));
        !problem.empty())
        return FaultPrompt(problem);
    return {};
}

SheetImage ComposeSkinImage(const SkinSheetContent& content) {
    return ComposeSkinSheet(content, SheetBackground(content.key));
}

SheetImage ComposeSkinImage(const SkinDocument& document, const TranslateColour& translate) {
    return ComposeSkinImage(SheetContentOf(document, translate));
}

std::vector<std::string> PiecesNotKept(const SkinDocument& d) {
    std::vector<std::string> pieces;
    for (int v : {3, 4})
        for (Piece p : kStripBox)
            if (d.PieceBox(p, v).Shown() != d.PieceBox(p, v - 2).Shown())
                pieces.push_back(std::string(PieceName(p)) + " (variant " + std::to_string(v) +
                                 ")");
    return pieces;
}

void ReadSkinImage(SkinDocument& d, const SheetImage& picture, const SkinSheet& sheet) {
    const SkinSheetContent c = CutSkinSheetContent(picture, sheet, FlagRule::Creator);
    d.picColor(Neutral).backColor = c.key;
    for (int v = 0; v < kCaptionVariants; ++v)
        for (int p = 0; p < kCaptionPieces; ++p)
            d.PieceBox(static_cast<Piece>(p), v + 1)
                .Load(c.Caption(static_cast<CaptionVariant>(v), static_cast<CaptionPiece>(p)));
    // The variants without menu take the side and bottom pieces of those with menu.
    for (int v = 0; v < kFrameVariants; ++v)
        for (int p = 0; p < kStripPieces; ++p)
            for (int variant : {v + 1, v + 3})
                d.PieceBox(kStripBox[p], variant).Load(c.stripPieces[v * kStripPieces + p]);
    for (int k = 0; k < kSheetColours; ++k)
        d.picColor(kColourSwatch[k]).backColor = c.colours[k];
    for (int f = 0; f < kSheetFlags; ++f)
        d.CheckValue(kFlagCheck[f]) = c.flags[f] ? 1 : 0;
    for (int k = 0; k < kSheetValues; ++k)
        d.SetText(kValueField[k], std::to_string(c.values[k]));
    for (int list = 1; list <= kVariants; ++list)
        for (int p = 0; p < kPieces; ++p)
            d.ItemData(list, static_cast<Piece>(p)) = kHasGraphic;
    const uint32_t empty = d.picColor(Empty).backColor;
    for (int s = 0; s < kButtonStates; ++s)
        for (int b = 0; b < kCaptionButtons; ++b) {
            GraphicBox& box = d.ButtonBox(static_cast<CaptionButton>(b), s + 1);
            box.Load(c.buttons[s * kCaptionButtons + b]);
            box.tag = box.picture.Pixel(1, 1) == empty ? "0" : "99";
        }
}

std::string LoadSkinSheet(SkinDocument& document, const SheetImage& picture) {
    const SkinSheetReading reading = ReadSkinSheet(picture);
    if (!reading.sheet) return reading.problem;
    if (std::string fault = CheckKeyLines(picture, *reading.sheet); !fault.empty()) return fault;
    document.ClearSkinPieces();
    ReadSkinImage(document, picture, *reading.sheet);
    return {};
}

} // namespace qel
