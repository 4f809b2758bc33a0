// Feeds the sheet reader and the slicer with sheets made by the writer (the
// built-in layout and random skins, intact or mutated) and with random
// pictures, and checks what comes back: intact sheets read back to their
// content, and whatever is accepted points only inside the picture.
#pragma once
#include "sheet/SheetImage.h"
#include "tests/sheet/SkinSamples.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qel::test {

class SheetFuzzer {
public:
    enum Kind { kIntact, kMutated, kRandom, kKinds };

    explicit SheetFuzzer(uint32_t seed, int sampleSkins = 32);

    // Runs one input; the fault found, or "" when all was well.
    std::string RunOne();

    // Inputs run of each kind, and how many of them were read and sliced.
    int64_t runs[kKinds] = {};
    int64_t read[kKinds] = {};
    int64_t sliced[kKinds] = {};

private:
    struct Sample {
        SampleSkin skin;
        SheetImage sheet;
    };

    SheetImage Mutate(const Sample& sample);
    SheetImage RandomPicture();
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    uint32_t Colour() { return static_cast<uint32_t>(rng_()) & 0x00FFFFFF; }

    std::mt19937 rng_;
    std::vector<Sample> samples_;
};

} // namespace qel::test
