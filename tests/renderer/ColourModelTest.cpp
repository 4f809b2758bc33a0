#include "renderer/ColourModel.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

struct Rgb {
    int32_t r, g, b;
};

Rgb RoundTrip(Rgb c) {
    float h, s, l;
    RGBToHLS(c.r, c.g, c.b, h, s, l);
    Rgb out{};
    HLSToRGB(h, s, l, out.r, out.g, out.b);
    return out;
}

TEST(ColourModel, PrimaryColoursHaveTheirHues) {
    float h, s, l;
    RGBToHLS(255, 0, 0, h, s, l);
    EXPECT_FLOAT_EQ(h, 0);
    EXPECT_FLOAT_EQ(s, 1);
    EXPECT_FLOAT_EQ(l, 0.5f);
    RGBToHLS(0, 255, 0, h, s, l);
    EXPECT_FLOAT_EQ(h, 2);
    RGBToHLS(0, 0, 255, h, s, l);
    EXPECT_FLOAT_EQ(h, 4);
}

TEST(ColourModel, ColoursBetweenMagentaAndRedHaveNegativeHue) {
    float h, s, l;
    RGBToHLS(255, 0, 128, h, s, l);
    EXPECT_NEAR(h, -0.502, 0.001);
    int32_t r, g, b;
    HLSToRGB(h, s, l, r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 128);
}

TEST(ColourModel, GreyHasNoSaturationAndComesBackUnchanged) {
    float h, s, l;
    RGBToHLS(128, 128, 128, h, s, l);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(h, 0);
    Rgb back = RoundTrip({128, 128, 128});
    EXPECT_EQ(back.r, 128);
    EXPECT_EQ(back.g, 128);
    EXPECT_EQ(back.b, 128);
}

TEST(ColourModel, ZeroSaturationGivesLuminanceInEveryChannelWhateverTheHue) {
    int32_t r, g, b;
    HLSToRGB(3.7f, 0, 0.25f, r, g, b);
    EXPECT_EQ(r, 64); // 63.75 rounds to 64
    EXPECT_EQ(g, 64);
    EXPECT_EQ(b, 64);
}

TEST(ColourModel, TiesGoToRedThenGreen) {
    float h, s, l;
    RGBToHLS(255, 255, 0, h, s, l); // red and green tie: red's formula
    EXPECT_FLOAT_EQ(h, 1);
    RGBToHLS(0, 255, 255, h, s, l); // green and blue tie: green's formula
    EXPECT_FLOAT_EQ(h, 3);
}

TEST(ColourModel, EveryColourOnACoarseGridSurvivesTheRoundTrip) {
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 15) {
                Rgb back = RoundTrip({r, g, b});
                ASSERT_EQ(back.r, r) << r << "," << g << "," << b;
                ASSERT_EQ(back.g, g) << r << "," << g << "," << b;
                ASSERT_EQ(back.b, b) << r << "," << g << "," << b;
            }
}

TEST(ColourModel, MaximumAndMinimumPickAcrossAllOrders) {
    EXPECT_EQ(Maximum(3, 1, 2), 3);
    EXPECT_EQ(Maximum(1, 3, 2), 3);
    EXPECT_EQ(Maximum(1, 2, 3), 3);
    EXPECT_EQ(Minimum(3, 1, 2), 1);
    EXPECT_EQ(Minimum(2, 3, 1), 1);
    EXPECT_EQ(Minimum(1, 2, 3), 1);
}

} // namespace
} // namespace qel
