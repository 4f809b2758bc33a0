// Composes skin sheets (the layout is in SkinSheetGeometry.h).
#pragma once
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetContent.h"

#include <string>

namespace qel {

// Draws the sheet of `content` on a picture cleared to `background`.
// The sizes come from content.Geometry(); every caption piece is placed by the
// widths of its own variant and copied whole, the key columns of the caption
// bands follow variants 1 and 2, and strip and button cells take the top-left
// part of their piece that fits the cell. The sheet is wide enough for every
// band and for every value from 0 to kMaxSheetSide - 1; other values get no
// marker. Content that CheckSkinSheetContent accepts reads back unchanged.
SheetImage ComposeSkinSheet(const SkinSheetContent& content, uint32_t background);

// The width ComposeSkinSheet gives the sheet of `content`.
int SkinSheetWidth(const SkinSheetContent& content);

// Why the sheet of `content` on `background` would not read back to the same
// content, or "" when it would: pieces that do not fit their band's sizes, the
// key colour where the readers scan for it, a background that reads as the key
// or as a ticked flag, values that cannot be stored, a sheet too large.
std::string CheckSkinSheetContent(const SkinSheetContent& content, uint32_t background);

} // namespace qel
