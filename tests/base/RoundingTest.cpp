#include "base/Rounding.h"

#include <cmath>
#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(Rounding, OtherFractionsGoToTheNearest) {
    EXPECT_EQ(RoundHalfEven(2.49), 2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(-2.51), -3);
    EXPECT_EQ(RoundHalfEven(1440.0 / 15.0), 96);
}

TEST(Rounding, SaturatesOutsideTheRange) {
    EXPECT_EQ(RoundHalfEven(1e12), INT32_MAX);
    EXPECT_EQ(RoundHalfEven(-1e12), INT32_MIN);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

} // namespace
} // namespace qel
