#include "base/Rounding.h"

#include <cmath>
#include <limits>

namespace qel {

int32_t RoundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    double floor = std::floor(v);
    double frac = v - floor;
    double r = floor;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(floor, 2.0) != 0.0)) r = floor + 1.0;
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

} // namespace qel
