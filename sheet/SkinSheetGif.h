// Skin sheets as GIF images: bringing a sheet's pieces down to the colours of
// one GIF colour table, and the GIF file that decodes to exactly a sheet.
#pragma once
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetContent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

inline constexpr int kGifColours = 256;

// Changes the pieces and caption-button images of `content` so that, with the
// colours of `reserved` (kept exact), the sheet has at most 256 colours, and
// no piece pixel has the key colour. Pieces that already fit are left as they
// are. Deterministic. Throws std::invalid_argument when `reserved` leaves no
// colour for the pieces.
void ReduceSheetColours(SkinSheetContent& content, const std::vector<uint32_t>& reserved);

// The GIF file of `sheet` (GIF89a with `comment`, GIF87a without): the colour
// table lists the sheet's colours in the order they first occur, the key
// colour of pixel (0,0) first. Throws std::runtime_error when the sheet has
// more than 256 colours or the writer refuses it.
std::vector<uint8_t> SkinSheetGif(const SheetImage& sheet, const std::string& comment);

} // namespace qel
