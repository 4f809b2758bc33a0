#include "creator/editor/SelectionMarker.h"

namespace qel {

std::optional<SheetRect> SelectionMarker(const SkinDocument& document, int pageVariant, Piece piece,
                                         int formWidth, int formHeight) {
    const auto box = [&](Piece p) -> const GraphicBox& {
        return document.PieceBox(p, pageVariant);
    };
    const int w = box(piece).width, h = box(piece).height;
    const int fw = formWidth, fh = formHeight;
    SheetRect r;
    switch (piece) {
    case Piece::TopLeft:
        r = {0, 0, w, h};
        break;
    case Piece::TopMiddle:
        r = {box(Piece::TopLeft).width, 0,
             fw - box(Piece::TopLeft).width - box(Piece::TopRight).width, h};
        break;
    case Piece::TopRight:
        r = {fw - w, 0, w, h};
        break;
    case Piece::LeftSide:
        r = {0, box(Piece::TopLeft).height, w,
             fh - box(Piece::TopLeft).height - box(Piece::BtmLeft).height};
        break;
    case Piece::RightSide:
        r = {fw - w, box(Piece::TopRight).height, w,
             fh - box(Piece::TopRight).height - box(Piece::BtmRight).height};
        break;
    case Piece::BtmMid:
        r = {box(Piece::BtmLeft).width, fh - h,
             fw - box(Piece::BtmLeft).width - box(Piece::BtmRight).width, h};
        break;
    case Piece::BtmLeft:
    case Piece::BtmLeftSize:
        r = {0, fh - h, w, h};
        break;
    case Piece::BtmRight:
    case Piece::BtmRightSize:
        r = {fw - w, fh - h, w, h};
        break;
    }
    if (r.width < 0 || r.height < 0) return std::nullopt;
    return r;
}

} // namespace qel
