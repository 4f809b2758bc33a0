// The size a BMP or GIF declares, checked before the platform's decoder
// allocates for it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace qel {

// The loader's bounds: a side by default, and the area of any picture
// (64 Mpixels, 256 MB as 32-bit pixels).
inline constexpr long kMaxPictureSide = 32767;
inline constexpr uint64_t kMaxPictureArea = uint64_t(1) << 26;

// False when `data` is a BMP or GIF that a decoder would make wider or higher
// than `maxSide` pixels or larger than kMaxPictureArea: for a GIF its screen
// and every frame's extent count, and a GIF with blocks of no known kind is
// refused. An uncompressed BMP cut short is refused too. Other formats pass.
bool PictureWithin(const void* data, size_t size, long maxSide);

} // namespace qel
