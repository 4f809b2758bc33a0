// The skin being edited in the creator: the piece and caption-button graphics
// of the main window's picture boxes, the piece lists' graphic flags, the
// colour swatches, the check boxes and the number fields, with their design
// defaults and the rules that every part of the creator shares. Portable:
// sizes are in pixels (the forms side derives twips from them), colours are
// colour values 0x00BBGGRR or system colours (0x80000000 | index).
#pragma once
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetGeometry.h"

#include <array>
#include <cstdint>
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
// Variants 1 to 4: active with menu, in-active with menu, active without menu,
// in-active without menu (CaptionVariant's order). Button states 1 to 4:
// Normal, Down, Highlight, Disabled.
inline constexpr int kVariants = 4;
inline constexpr int kSwatches = 11, kChecks = 6, kNumberFields = 13;

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
struct Swatch {
    uint32_t backColor = 0;
    uint32_t foreColor = 0;
    bool operator==(const Swatch&) const = default;
};

// The graphic flag of a piece in a piece list.
inline constexpr int kHasGraphic = 99;

class SkinDocument {
public:
    // The design defaults: empty boxes of the design sizes, flags 0, default
    // swatches, Check4 ticked, the default number texts, not modified, no name.
    SkinDocument();

    // Piece box of `variant` 1 to 4 (std::out_of_range otherwise).
    GraphicBox& PieceBox(Piece piece, int variant);
    const GraphicBox& PieceBox(Piece piece, int variant) const;
    // Caption-button box of `state` 1 to 4.
    GraphicBox& ButtonBox(CaptionButton button, int state);
    const GraphicBox& ButtonBox(CaptionButton button, int state) const;
    // ItemData of the piece's item in List1 to List4: the flags of variant `list`.
    int& ItemData(int list, Piece piece);
    int ItemData(int list, Piece piece) const;
    // picColor(0) to picColor(10).
    Swatch& picColor(int index);
    const Swatch& picColor(int index) const;
    // Value of Check1 to Check6 (0 unticked, 1 ticked, 2 greyed).
    int& CheckValue(int n);
    int CheckValue(int n) const;
    // Text of Text1 to Text13. Setting Text2 or Text10 sets both, and so do
    // Text8 and Text9.
    const std::string& Text(int n) const;
    void SetText(int n, const std::string& text);

    // Empties every piece and caption-button box (piece boxes keep their sizes,
    // caption-button boxes return to their design size), puts every swatch's
    // ForeColor back into its BackColor and clears SkinModified. Flags, Tags,
    // number fields and check boxes keep their values.
    void ClearSkinPieces();

    bool SkinModified = false;
    std::string SkinName;

    bool operator==(const SkinDocument&) const = default;

private:
    std::array<std::array<GraphicBox, kVariants>, kPieces> pieces_;
    std::array<std::array<GraphicBox, kButtonStates>, kCaptionButtons> buttons_;
    std::array<std::array<int, kPieces>, kVariants> itemData_{};
    std::array<Swatch, kSwatches> swatches_;
    std::array<int, kChecks> checks_{};
    std::array<std::string, kNumberFields> texts_;
};

} // namespace qel
