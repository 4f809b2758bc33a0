// An OLE colour (system colours included) with a solid brush of it, owned, for
// painting backgrounds and answering the controls' colour messages.
#pragma once
#include "base/Handle.h"

#include <cstdint>

namespace qel::forms {

// OLE colours: an RGB value (0x00BBGGRR) or a system colour (0x800000nn).
using OleColor = uint32_t;

inline constexpr OleColor kButtonFace = 0x8000000F;
inline constexpr OleColor kButtonText = 0x80000012;
inline constexpr OleColor kWindowBackground = 0x80000005;
inline constexpr OleColor kWindowText = 0x80000008;

// The RGB value of an OLE colour; black for one that cannot be translated.
COLORREF ToRgb(OleColor colour);

class ColorBrush {
public:
    explicit ColorBrush(OleColor colour) { Set(colour); }
    void Set(OleColor colour);
    OleColor Color() const { return colour_; }
    COLORREF Rgb() const { return rgb_; }
    HBRUSH Brush() const { return brush_.get(); }

private:
    OleColor colour_ = 0;
    COLORREF rgb_ = 0;
    UniqueBrush brush_;
};

} // namespace qel::forms
