#include "base/Val.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(Val, ReadsTheLeadingNumberAndStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(Val("12"), 12);
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val("-7.25x"), -7.25);
    EXPECT_EQ(Val("+3"), 3);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("1.2.3"), 1.2);
}

TEST(Val, IgnoresBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(Val("  1615 198th Street"), 1615198);
    EXPECT_EQ(Val("\t4\n2"), 42);
}

TEST(Val, NoNumberGivesZero) {
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("."), 0);
}

TEST(Val, ReadsExponents) {
    EXPECT_EQ(Val("1e3"), 1000);
    EXPECT_EQ(Val("2D2"), 200);
    EXPECT_EQ(Val("5E-1"), 0.5);
    EXPECT_EQ(Val("7e"), 7); // an exponent without digits is not part of the number
}

TEST(Val, ReadsHexadecimalAndOctalAsSixteenOrThirtyTwoBitIntegers) {
    EXPECT_EQ(Val("&H10"), 16);
    EXPECT_EQ(Val("&HFFFF"), -1);
    EXPECT_EQ(Val("&H10000"), 65536);
    EXPECT_EQ(Val("&HFFFFFFFF"), -1);
    EXPECT_EQ(Val("&O17"), 15);
    EXPECT_EQ(Val("&Hxyz"), 0);
}

} // namespace
} // namespace qel
