#include "creator/editor/AssignPieceGraphic.h"

#include <stdexcept>
#include <string>

namespace qel {
namespace {

void CopyWidth(SkinDocument& d, const GraphicBox& from, Piece to, int variant) {
    d.PieceBox(to, variant).width = from.width;
}
void CopyHeight(SkinDocument& d, const GraphicBox& from, Piece to, int variant) {
    d.PieceBox(to, variant).height = from.height;
}

// Loads the graphic into variant v's box, flags it and spreads its size.
void AssignToVariant(SkinDocument& d, Piece piece, int v, const SheetImage& graphic) {
    GraphicBox& box = d.PieceBox(piece, v);
    box.Load(graphic);
    d.ItemData(v, piece) = kHasGraphic;
    const int p = PairedVariant(v);
    for (int other = 1; other <= kVariants; ++other) {
        if (other == v) continue;
        CopyWidth(d, box, piece, other);
        if (piece > Piece::TopRight) CopyHeight(d, box, piece, other);
    }
    if (piece == Piece::TopLeft)
        for (Piece top : {Piece::TopLeft, Piece::TopMiddle, Piece::TopRight})
            CopyHeight(d, box, top, p);
    else if (piece <= Piece::TopRight)
        CopyHeight(d, box, piece, p);
}

// The other corner kind of the same side, for the bottom corners.
bool OtherCorner(Piece piece, Piece& other) {
    switch (piece) {
    case Piece::BtmLeft:
        other = Piece::BtmLeftSize;
        return true;
    case Piece::BtmLeftSize:
        other = Piece::BtmLeft;
        return true;
    case Piece::BtmRight:
        other = Piece::BtmRightSize;
        return true;
    case Piece::BtmRightSize:
        other = Piece::BtmRight;
        return true;
    default:
        return false;
    }
}

} // namespace

bool PieceUpdate::For(int variant) const {
    const PerVariant<bool> chosen{{forVariant1, forVariant2, forVariant3, forVariant4}};
    return variant >= 1 && variant <= kVariants && chosen[variant];
}

int PairedVariant(int variant) {
    return IsActive(variant) ? variant + 1 : variant - 1;
}

void CheckGraphicFits(const SheetImage& graphic) {
    if (graphic.Width() > kMaxSheetSide || graphic.Height() > kMaxSheetSide)
        throw GraphicRefused("The graphic is larger than a skin sheet can hold.");
}

void AssignPieceGraphic(SkinDocument& document, int piece, PieceUpdate& update,
                        const SheetImage& graphic) {
    if (piece < 0 || piece >= kPieces) return;
    CheckGraphicFits(graphic);
    const auto assign = [&](Piece k) {
        for (int v : kPageOrder)
            if (update.For(v)) AssignToVariant(document, k, v, graphic);
    };
    const Piece k = static_cast<Piece>(piece);
    assign(k);
    if (k == Piece::TopLeft) {
        document.SetText(Field::CaptionLeft, std::to_string(graphic.Width()));
        document.SetText(Field::MenuLeft, document.Text(Field::CaptionLeft));
    }
    Piece other;
    if (OtherCorner(k, other) && update.cornerKind > 0) {
        update.cornerKind = 0;
        assign(other);
    }
}

} // namespace qel
