// Deterministic test images of the kinds the benchmarks compare on.
#pragma once
#include "imaging/PixelBuffer.h"

namespace qel::test {

// A 32-bit image with the traits of a photograph: smooth shading in many
// colours, soft shapes, and a little noise in every pixel.
PixelBuffer PhotoLikeImage(int width, int height);

// An 8-bit image with the traits of a user interface: flat areas, frames,
// title bars and rows of small text-like marks in 16 colours.
PixelBuffer UserInterfaceImage(int width, int height);

} // namespace qel::test
