// Brings the artwork of a sheet down to the colours that one GIF colour table
// holds: median cut over the colours the pictures use, weighted by how often
// each occurs, refined by a few rounds of nearest-centre averaging.
#pragma once
#include "control/SheetImage.h"

#include <cstdint>
#include <vector>

namespace qel {

// Changes the pixels of `pictures` so that together they use at most `budget`
// colours besides those of `reserved` (which pixels may keep or be mapped to),
// and none of them has the colour `avoid`. Pictures that already fit are left
// as they are, but for `avoid`. Deterministic: the same pictures give the same
// result everywhere.
void ReduceColours(const std::vector<SheetImage*>& pictures, const std::vector<uint32_t>& reserved,
                   int budget, uint32_t avoid);

// The distinct colours of a picture, in the order they first occur row by row.
std::vector<uint32_t> ColoursOf(const SheetImage& picture);

} // namespace qel
