#include "renderer/ColourModel.h"
#include "renderer/MenuShades.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

float Luminance(uint32_t rgb) {
    float h, s, l;
    RGBToHLS(rgb & 0xFF, rgb >> 8 & 0xFF, rgb >> 16 & 0xFF, h, s, l);
    return l;
}

TEST(MenuShades, TheShadeTableHasThreeRowsWithTheMiddleRowInclusive) {
    float light, dark;
    MenuShadeLuminances(0.9f, light, dark); // very light: two darker shades
    EXPECT_FLOAT_EQ(light, 0.7f);
    EXPECT_FLOAT_EQ(dark, 0.4f);
    MenuShadeLuminances(0.85f, light, dark);
    EXPECT_FLOAT_EQ(light, 1.0f);
    EXPECT_FLOAT_EQ(dark, 0.65f);
    MenuShadeLuminances(0.5f, light, dark);
    EXPECT_FLOAT_EQ(light, 0.7f);
    EXPECT_FLOAT_EQ(dark, 0.3f);
    MenuShadeLuminances(0.2f, light, dark);
    EXPECT_FLOAT_EQ(light, 0.4f);
    EXPECT_FLOAT_EQ(dark, 0.0f);
    MenuShadeLuminances(0.1f, light, dark); // very dark: two lighter shades
    EXPECT_FLOAT_EQ(light, 0.5f);
    EXPECT_FLOAT_EQ(dark, 0.3f);
}

TEST(MenuShades, TheMiddleRowStaysWithinZeroAndOne) {
    float light, dark;
    MenuShadeLuminances(0.84f, light, dark);
    EXPECT_FLOAT_EQ(light, 1.0f);
    MenuShadeLuminances(0.21f, light, dark);
    EXPECT_NEAR(dark, 0.01f, 1e-6f);
}

TEST(MenuShades, EdgesStayVisibleOnWhiteAndOnBlack) {
    uint32_t light, dark;
    BlendMenuColour(0xFFFFFF, light, dark);
    EXPECT_EQ(light, 0xCCCCCCu); // luminance 0.8
    EXPECT_EQ(dark, 0x808080u);  // luminance 0.5, rounded half to even
    BlendMenuColour(0x000000, light, dark);
    EXPECT_EQ(light, 0x666666u);
    EXPECT_EQ(dark, 0x333333u);
}

TEST(MenuShades, ShadesKeepTheHueWithLessSaturation) {
    uint32_t light, dark;
    const uint32_t blue = 0xC08040; // RGB(64, 128, 192)
    BlendMenuColour(blue, light, dark);
    EXPECT_NEAR(Luminance(light), Luminance(blue) + 0.2f, 0.01f);
    EXPECT_NEAR(Luminance(dark), Luminance(blue) - 0.2f, 0.01f);
    float h0, s0, l0, h1, s1, l1;
    RGBToHLS(0x40, 0x80, 0xC0, h0, s0, l0);
    RGBToHLS(dark & 0xFF, dark >> 8 & 0xFF, dark >> 16 & 0xFF, h1, s1, l1);
    EXPECT_NEAR(h1, h0, 0.02f);
    EXPECT_NEAR(s1, s0 * 0.9f, 0.02f);
}

} // namespace
} // namespace qel
