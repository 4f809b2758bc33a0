#include "renderer/ColourModel.h"
#include "base/Rounding.h"

namespace qel {

float Maximum(float a, float b, float c) {
    if (a > b) return a > c ? a : c;
    return c > b ? c : b;
}

float Minimum(float a, float b, float c) {
    if (a < b) return a < c ? a : c;
    return c < b ? c : b;
}

void RGBToHLS(int32_t r, int32_t g, int32_t b, float& H, float& S, float& L) {
    float rr = static_cast<float>(r / 255.0);
    float gg = static_cast<float>(g / 255.0);
    float bb = static_cast<float>(b / 255.0);
    float max = Maximum(rr, gg, bb);
    float min = Minimum(rr, gg, bb);
    L = (max + min) / 2;
    if (max == min) {
        S = 0;
        H = 0;
        return;
    }
    S = L <= 0.5f ? (max - min) / (max + min) : (max - min) / (2 - max - min);
    float d = max - min;
    if (rr == max)
        H = (gg - bb) / d;
    else if (gg == max)
        H = 2 + (bb - rr) / d;
    else
        H = 4 + (rr - gg) / d;
}

void HLSToRGB(float H, float S, float L, int32_t& r, int32_t& g, int32_t& b) {
    float rr, gg, bb;
    if (S == 0) {
        rr = gg = bb = L;
    } else {
        float m1 = L <= 0.5f ? (1 - S) * L : L - (1 - L) * S;
        float m2 = 2 * L - m1;
        float k = m2 - m1;
        if (H < 0) {
            rr = m2, gg = m1, bb = m1 - H * k;
        } else if (H < 1) {
            rr = m2, gg = m1 + H * k, bb = m1;
        } else if (H < 2) {
            rr = m1 - (H - 2) * k, gg = m2, bb = m1;
        } else if (H < 3) {
            rr = m1, gg = m2, bb = m1 + (H - 2) * k;
        } else if (H < 4) {
            rr = m1, gg = m1 - (H - 4) * k, bb = m2;
        } else {
            rr = m1 + (H - 4) * k, gg = m1, bb = m2;
        }
    }
    r = RoundHalfEven(rr * 255.0);
    g = RoundHalfEven(gg * 255.0);
    b = RoundHalfEven(bb * 255.0);
}

} // namespace qel
