// GIF files decoded by an independent decoder (giflib), for the native tests.
#pragma once
#include "sheet/SheetImage.h"

#include <cstdint>
#include <vector>

namespace qel::test {

// The first image of the GIF file `bytes`, each pixel its colour-table entry;
// an empty picture when giflib refuses the file or an index lies outside the table.
SheetImage DecodeGif(const std::vector<uint8_t>& bytes);

} // namespace qel::test
