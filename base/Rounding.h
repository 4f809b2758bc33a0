// Conversion from floating point to integers: the nearest integer, halves to the
// even neighbour (as the platform's CLng/CInt and the FPU's default mode do).
#pragma once
#include <cstdint>

namespace qel {

// Saturates at the limits of the 32-bit range (NaN gives 0).
int32_t RoundHalfEven(double v);

} // namespace qel
