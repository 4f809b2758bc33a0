// Runs the sheet reader and the slicer over many mutated sheets and random
// pictures (one million by default, or the number given) and prints figures.
#include "tests/sheet/SheetFuzzer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const long long inputs = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::atoll(argv[2])) : 20240501;
    qel::test::SheetFuzzer fuzzer(seed, 64);
    const auto start = std::chrono::steady_clock::now();
    long long faults = 0;
    for (long long i = 0; i < inputs; ++i) {
        std::string fault = fuzzer.RunOne();
        if (!fault.empty() && ++faults <= 10) std::printf("input %lld: %s\n", i, fault.c_str());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const char* names[] = {"intact sheets", "mutated sheets", "random pictures"};
    std::printf("%-16s %10s %10s %10s\n", "input", "run", "read", "sliced");
    for (int k = 0; k < qel::test::SheetFuzzer::kKinds; ++k)
        std::printf("%-16s %10lld %10lld %10lld\n", names[k],
                    static_cast<long long>(fuzzer.runs[k]), static_cast<long long>(fuzzer.read[k]),
                    static_cast<long long>(fuzzer.sliced[k]));
    std::printf("%lld inputs in %.2f s: %.1f us per input, %.0f inputs per second; %lld faults\n",
                inputs, seconds, 1e6 * seconds / static_cast<double>(inputs),
                static_cast<double>(inputs) / seconds, faults);
    return faults == 0 ? 0 : 1;
}
