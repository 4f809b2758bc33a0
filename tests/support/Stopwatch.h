// The clock the benchmarks time with.
#pragma once
#include <chrono>

namespace qel::test {

// Seconds on a steady clock, from an arbitrary start.
inline double Seconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

} // namespace qel::test
