// The skin being edited in the creator: the piece and caption-button graphics
// of the main window's picture boxes, the piece lists' graphic flags, the
// colour swatches, the check boxes and the number fields, with their design
// defaults and the rules that every part of the creator shares. Portable:
// sizes are in pixels (the forms side derives twips from them), colours are
// colour values 0x00BBGGRR or system colours (0x80000000 | index).
#pragma once
#include "base/NumberedArray.h"
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetGeometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace qel {

// The ten frame pieces, in the order of the piece lists.
enum class Piece {
    TopLeft,      // picTopLeft
    TopMiddle,    // picTopMid
    TopRight,     // picTopRight
    LeftSide,     // picLeftSide
    RightSide,    // picRightSide
    BtmLeft,      // picBtmLeft: "Bottom Left Fixed"
    BtmLeftSize,  // picBtmLeftSize: "Bottom Left Sizable"
    BtmMid,       // picBtmMid
    BtmRight,     // picBtmRight: "Bottom Right Fixed"
    BtmRightSize, // picBtmRightSize: "Bottom Right Sizable"
};
inline constexpr int kPieces = 10;
template <typename T> using PerPiece = NumberedArray<T, Piece::TopLeft, Piece::BtmRightSize>;

// Variants 1 to 4: active with menu, in-active with menu, active without menu,
// in-active without menu (CaptionVariant's order). Button states 1 to 4:
// Normal, Down, Highlight, Disabled.
inline constexpr int kVariants = 4;
template <typename T> using PerVariant = NumberedArray<T, 1, kVariants>;
template <typename T> using PerButtonState = NumberedArray<T, 1, kButtonStates>;
constexpr bool IsActive(int variant) {
    return variant % 2 == 1;
}
constexpr bool HasMenu(int variant) {
    return variant <= 2;
}
// The variants in the order of the creator's pages and of the update
// dialog's boxes: active with menu, active without, in-active with, without.
inline constexpr int kPageOrder[kVariants] = {1, 3, 2, 4};

// The colour swatches picColor(0) to picColor(10), the option check boxes
// Check1 to Check6 and the number fields Text1 to Text13, by their numbers.
// "Neutral" is the sheet's key colour; "Show Sizable Corners" is a view option
// and not stored; the in-active pages' caption tops mirror the active ones'.
// clang-format off
enum class Swatch {
    ActiveFormBack = 0, Neutral = 1, ActiveCaption = 2, InactiveCaption = 3, ActiveMenu = 4,
    InactiveMenu = 5, MenuHighlight = 6, MenuBackground = 7, Empty = 8, FormText = 9,
    InactiveFormBack = 10
};
enum class Option {
    ShowSizableCorners = 1, RoundTopCorners = 2, RoundBottomCorners = 3, DrawCaption = 4,
    DrawFormIcon = 5, ShiftCaption = 6 // "Shift Caption if No Icon"
};
enum class Field {
    RoundAngle = 1, CaptionTopWithMenu = 2, ButtonsTop = 3, ButtonLeft = 4, ButtonGap = 5,
    MenuTop = 6, MenuLeft = 7, CaptionTopNoMenu = 8, InactiveCaptionTopNoMenu = 9,
    InactiveCaptionTopWithMenu = 10, IconTop = 11, IconLeft = 12, CaptionLeft = 13
};
// clang-format on
template <typename T>
using PerSwatch = NumberedArray<T, Swatch::ActiveFormBack, Swatch::InactiveFormBack>;
template <typename T>
using PerOption = NumberedArray<T, Option::ShowSizableCorners, Option::ShiftCaption>;
template <typename T> using PerField = NumberedArray<T, Field::RoundAngle, Field::CaptionLeft>;

// The swatches whose colours the preview of `variant` shows: its form's back
// colour, its sample caption's and its mock menu bar's.
constexpr Swatch FormBackSwatch(int variant) {
    return IsActive(variant) ? Swatch::ActiveFormBack : Swatch::InactiveFormBack;
}
constexpr Swatch CaptionSwatch(int variant) {
    return IsActive(variant) ? Swatch::ActiveCaption : Swatch::InactiveCaption;
}
constexpr Swatch MenuSwatch(int variant) {
    return IsActive(variant) ? Swatch::ActiveMenu : Swatch::InactiveMenu;
}

// The field whose text follows that of `field`: Text2 and Text10 mirror each
// other, and so do Text8 and Text9.
std::optional<Field> MirrorOf(Field field);

// The list texts of the pieces.
const char* PieceName(Piece piece);
// Variant 1 to 4 as the creator's pages name it ("In-Active Skin with No Menu").
std::string VariantName(int variant);

// A hidden picture box that holds a graphic: it measures in pixels, takes the
// size of a picture loaded into it and keeps its size when it is emptied.
struct GraphicBox {
    int width = 0, height = 0;
    uint32_t backColor = 0x00FF00FF;
    SheetImage picture;
    std::string tag; // caption-button boxes: "99" holds a graphic

    // Loads a picture (an empty one empties the box, which keeps its size).
    void Load(SheetImage image);
    // What the box shows: its back colour with the picture at (0,0), clipped.
    SheetImage Shown() const;

    bool operator==(const GraphicBox&) const = default;
};

// A colour swatch: BackColor is the colour, ForeColor the colour that
// clearing the skin puts back.
struct SwatchColours {
    uint32_t backColor = 0;
    uint32_t foreColor = 0;
    bool operator==(const SwatchColours&) const = default;
};

// The graphic flag of a piece in a piece list.
inline constexpr int kHasGraphic = 99;

class SkinDocument {
public:
    // The design defaults: empty boxes of the design sizes, flags 0, default
    // swatches, Check4 ticked, the default number texts, not modified, no name.
    SkinDocument();

    // Piece box of `variant` 1 to 4 (std::out_of_range otherwise).
    GraphicBox& PieceBox(Piece piece, int variant) { return pieces_[piece][variant]; }
    const GraphicBox& PieceBox(Piece piece, int variant) const { return pieces_[piece][variant]; }
    // Caption-button box of `state` 1 to 4.
    GraphicBox& ButtonBox(CaptionButton button, int state) { return buttons_[button][state]; }
    const GraphicBox& ButtonBox(CaptionButton button, int state) const {
        return buttons_[button][state];
    }
    // ItemData of the piece's item in List1 to List4: the flags of variant `list`.
    int& ItemData(int list, Piece piece) { return itemData_[list][piece]; }
    int ItemData(int list, Piece piece) const { return itemData_[list][piece]; }
    // picColor(0) to picColor(10).
    SwatchColours& picColor(Swatch swatch) { return swatches_[swatch]; }
    const SwatchColours& picColor(Swatch swatch) const { return swatches_[swatch]; }
    // Value of the check box (0 unticked, 1 ticked, 2 greyed).
    int& CheckValue(Option option) { return checks_[option]; }
    int CheckValue(Option option) const { return checks_[option]; }
    // Setting a field sets its mirror too.
    const std::string& Text(Field field) const { return texts_[field]; }
    void SetText(Field field, const std::string& text);

    // Empties every piece and caption-button box (piece boxes keep their sizes,
    // caption-button boxes return to their design size), puts every swatch's
    // ForeColor back into its BackColor and clears SkinModified. Flags, Tags,
    // number fields and check boxes keep their values.
    void ClearSkinPieces();

    bool SkinModified = false;
    std::string SkinName;

    bool operator==(const SkinDocument&) const = default;

private:
    PerPiece<PerVariant<GraphicBox>> pieces_;
    NumberedArray<PerButtonState<GraphicBox>, CaptionButton::Close, CaptionButton::Minimize>
        buttons_;
    PerVariant<PerPiece<int>> itemData_{};
    PerSwatch<SwatchColours> swatches_;
    PerOption<int> checks_{};
    PerField<std::string> texts_;
};

} // namespace qel
