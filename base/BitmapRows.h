// Bitmaps as plain 32-bit pixel rows: top row first, each pixel blue, green,
// red, reserved (blue in the low byte of a 32-bit value), whatever the
// bitmap's own depth.
#pragma once
#include "base/Handle.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace qel {

// The bitmap's pixels, `width` x `height` (its size, as GetObject gives it);
// nothing when they cannot be read.
std::optional<std::vector<uint32_t>> ReadBitmapRows(HBITMAP bitmap, int width, int height);

// A bitmap compatible with the screen holding `rows`; null on failure.
UniqueBitmap BitmapFromRows(int width, int height, const uint32_t* rows);

} // namespace qel
