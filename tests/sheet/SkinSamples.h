// Skins for tests: random ones whose sheets read back unchanged, and one with
// the geometry, values and colours of the first built-in skin.
#pragma once
#include "sheet/SkinSheetContent.h"

#include <random>

namespace qel::test {

struct SampleSkin {
    SkinSheetContent content;
    uint32_t background = 0x00FFFFFF;
};

// Random sizes (caption bands sometimes one row high), random pixels with the
// key colour only where no reader scans, random colours, flags and values (now
// and then one that widens the sheet).
SampleSkin RandomSkin(std::mt19937& rng);
// The same with the given sizes.
SampleSkin RandomSkin(std::mt19937& rng, const SkinSheetGeometry& geometry);
SampleSkin RandomSkin(std::mt19937& rng, const SkinSheetGeometry& geometry, uint32_t key,
                      uint32_t background);

// The built-in sheets' geometry (TLw 28, TMw 13, TRw 28, hA 42, hB 24, S 6,
// Sh 6, Bw 14, Bh 15) with the values, flags, key, colours and background of
// the first built-in sheet; the pieces are random.
SampleSkin BuiltInLikeSkin();
inline constexpr SkinSheetGeometry kBuiltInGeometry{28, 13, 28, 42, 24, 6, 6, 14, 15};

} // namespace qel::test
