// The two edge shades of the menu bar and its popup items, derived from the
// menu background colour so that edges stay visible on any background: very
// light colours get two darker shades, very dark colours two lighter ones.
#pragma once
#include <cstdint>

namespace qel {

// The luminances of the light and dark shade for a colour of luminance L (0..1).
void MenuShadeLuminances(float L, float& light, float& dark);

// The light and dark shade of an RGB colour (0x00BBGGRR), with the colour's
// hue and nine tenths of its saturation.
void BlendMenuColour(uint32_t rgb, uint32_t& light, uint32_t& dark);

} // namespace qel
