// Reads skin sheets (the layout is in SkinSheetGeometry.h): finds the bands by
// scanning for the key colour and checks that every cell the layout implies
// lies inside the picture, so that nothing is ever read outside it.
#pragma once
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetContent.h"
#include "sheet/SkinSheetGeometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace qel {

// What a reader finds on a sheet: its sizes, its key colour, the centre pixel
// of each swatch cell and the values.
struct SkinSheet {
    SkinSheetGeometry geometry;
    uint32_t key = 0;
    std::array<uint32_t, kSwatchCells> swatches{};
    std::array<int32_t, kSheetValues> values{}; // 0 for a row without a marker

    uint32_t Colour(SheetColour c) const { return swatches[SwatchCell(c)]; }
    bool Flag(SheetFlag f, FlagRule rule) const { return IsFlagOn(swatches[SwatchCell(f)], rule); }
    int32_t Value(SheetValue v) const { return values[static_cast<int>(v)]; }
};

// The sheet found in a picture, or why the picture is not a readable sheet.
struct SkinSheetReading {
    std::optional<SkinSheet> sheet;
    std::string problem; // set when there is no sheet
};

// Finds the layout as both readers do: the key colour at (0,0); seven key
// lines down column 1 (under the two caption bands, the strip and the four
// button rows); the ends of Top Left, Top Middle and Top Right along row 1,
// each scan starting two pixels right of the previous find; the first strip
// cell and the first button cell along their first rows. Refuses pictures
// without those lines, with empty or unequal bands, with cells, swatches or
// value rows outside the picture, and pictures larger than kMaxSheetSide.
SkinSheetReading ReadSkinSheet(const SheetImage& picture);

// The stricter reading of the creator: why the key lines that the layout of
// `sheet` implies are not whole in `picture` (a key-colour pixel inside a
// piece misled the scans), or "" when they are. Lines are checked as far as
// the picture reaches.
std::string CheckKeyLines(const SheetImage& picture, const SkinSheet& sheet);

// Cuts a sheet found by ReadSkinSheet back into its content. The plain caption
// band is cut at the columns of the menu band; flags are read by `rule`.
SkinSheetContent CutSkinSheetContent(const SheetImage& picture, const SkinSheet& sheet,
                                     FlagRule rule);

} // namespace qel
