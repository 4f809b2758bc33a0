// The selection marker of a piece list's page: the rectangle of the chosen
// piece on the page's preview form, measured from the piece boxes of the
// page's variant (the sides and the bottom middle always against the fixed
// bottom corners).
#pragma once
#include "creator/shell/SkinDocument.h"

#include <optional>

namespace qel {

// The marker over `piece` on the preview of `pageVariant` 1 to 4, whose
// client area is `formWidth` x `formHeight` pixels; none when the pieces
// around a middle piece are larger than the form (a negative width or
// height), so that the marker stays hidden.
std::optional<SheetRect> SelectionMarker(const SkinDocument& document, int pageVariant, Piece piece,
                                         int formWidth, int formHeight);

} // namespace qel
