#include "forms/ColorBrush.h"

#include <olectl.h>

namespace qel::forms {

COLORREF ToRgb(OleColor colour) {
    COLORREF rgb = 0;
    return SUCCEEDED(OleTranslateColor(colour, nullptr, &rgb)) ? rgb : 0;
}

void ColorBrush::Set(OleColor colour) {
    if (brush_ && colour == colour_) return;
    colour_ = colour;
    rgb_ = ToRgb(colour);
    brush_.reset(CreateSolidBrush(rgb_));
}

} // namespace qel::forms
