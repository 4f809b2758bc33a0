// A skin sheet as a Windows bitmap file: 24 bits per pixel, the rows bottom to
// top, written from the sheet's own pixels (never through a bitmap of the
// display's depth, which could change them).
#pragma once
#include "sheet/SheetImage.h"

#include <cstdint>
#include <vector>

namespace qel {

// The bytes of the bitmap file of `sheet` (a sheet of at least 1 x 1 pixel and
// at most 32767 pixels a side; std::invalid_argument otherwise).
std::vector<uint8_t> SkinBitmapBytes(const SheetImage& sheet);

} // namespace qel
