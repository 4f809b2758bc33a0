// Red-green-blue and hue-luminance-saturation conversion, used to derive light
// and dark shades of a colour. Hue is in sixths of the colour circle (-1 up to
// 5: red 0, green 2, blue 4); luminance and saturation run from 0 to 1.
#pragma once
#include <cstdint>

namespace qel {

void RGBToHLS(int32_t r, int32_t g, int32_t b, float& H, float& S, float& L);
// Channels are rounded halves to even and not clamped.
void HLSToRGB(float H, float S, float L, int32_t& r, int32_t& g, int32_t& b);

float Maximum(float a, float b, float c);
float Minimum(float a, float b, float c);

} // namespace qel
