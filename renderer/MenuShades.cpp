#include "renderer/MenuShades.h"
#include "renderer/ColourModel.h"

#include <algorithm>

namespace qel {
namespace {

uint32_t PackedRGB(float H, float S, float L) {
    int32_t r = 0, g = 0, b = 0;
    HLSToRGB(H, S, L, r, g, b);
    return static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 |
           static_cast<uint32_t>(b & 0xFF) << 16;
}

} // namespace

void MenuShadeLuminances(float L, float& light, float& dark) {
    if (L > 0.85f) {
        light = L - 0.2f;
        dark = L - 0.5f;
    } else if (L < 0.2f) {
        light = L + 0.4f;
        dark = L + 0.2f;
    } else {
        light = std::min(L + 0.2f, 1.0f);
        dark = std::max(L - 0.2f, 0.0f);
    }
}

void BlendMenuColour(uint32_t rgb, uint32_t& light, uint32_t& dark) {
    float H = 0, S = 0, L = 0;
    RGBToHLS(static_cast<int32_t>(rgb & 0xFF), static_cast<int32_t>(rgb >> 8 & 0xFF),
             static_cast<int32_t>(rgb >> 16 & 0xFF), H, S, L);
    S *= 0.9f;
    float lightL = 0, darkL = 0;
    MenuShadeLuminances(L, lightL, darkL);
    light = PackedRGB(H, S, lightL);
    dark = PackedRGB(H, S, darkL);
}

} // namespace qel
