// Loading a graphic into a frame piece of the skin document: the chosen
// variants take the graphic and its flag, and the piece's size spreads to the
// boxes that must agree with it in a skin sheet.
#pragma once
#include "creator/shell/SkinDocument.h"

#include <stdexcept>

namespace qel {

// A graphic refused for a reason the user is told (what() gives it).
struct GraphicRefused : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// What the update dialog ("Update Which Images") hands back: the variants that
// take a graphic, in the order of its boxes, and the corner choice.
struct PieceUpdate {
    bool forVariant1 = false; // "Active Skin", "With Menu"
    bool forVariant3 = false; // "Active Skin", "No Menu"
    bool forVariant2 = false; // "In-Active Skin", "With Menu"
    bool forVariant4 = false; // "In-Active Skin", "No Menu"
    // In: above 0, a bottom corner also fills the other corner kind (fixed or
    // sizable) of its side. Out: 0 once that was done.
    int cornerKind = 0;

    bool For(int variant) const;
    bool operator==(const PieceUpdate&) const = default;
};

// The variant with the same menu state and the other activity state.
int PairedVariant(int variant);

// Refuses (GraphicRefused) a graphic larger than a skin sheet can hold.
void CheckGraphicFits(const SheetImage& graphic);

// Puts `graphic` into piece `piece` (0 to 9; any other number changes nothing)
// of every chosen variant and flags it there; copies the piece's size to the
// boxes that share it (Top Left: the width to the other Top Left boxes, the
// height to the paired variant's three top pieces; Top Middle and Top Right:
// the width to the other variants, the height to the paired one; the others:
// both to the other variants). Top Left also writes its width into "Caption
// Left:" and "Menu Left". Throws before changing anything when the graphic
// does not fit (CheckGraphicFits).
void AssignPieceGraphic(SkinDocument& document, int piece, PieceUpdate& update,
                        const SheetImage& graphic);

} // namespace qel
