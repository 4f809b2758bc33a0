// The clock the benchmarks time with, and the median of their samples.
#pragma once
#include <algorithm>
#include <chrono>
#include <vector>

namespace qel::test {

// Seconds on a steady clock, from an arbitrary start.
inline double Seconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace qel::test
