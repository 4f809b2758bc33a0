// Fills rectangles with a repeating pattern held as one GDI brush: a bitmap
// picture tiled as a pattern, a hatch pattern or a solid colour.
#pragma once
#include "base/Handle.h"

#include <olectl.h>

#include <cstdint>

namespace qel {

class cTile {
public:
    // A pattern brush of the picture's bitmap. A picture without a bitmap keeps
    // the current pattern; a failing GDI leaves none. True when a pattern is set.
    bool SetPatternFromStdPicture(IPicture* picture);
    // A hatch brush (an HS_ style) of an OLE colour (system colours allowed).
    // True when a pattern is set.
    bool SetPatternFromHatchBrush(int32_t hatchStyle, OLE_COLOR colour);
    // A solid brush of an OLE colour. True when a pattern is set.
    bool SetPatternFromSolidColor(OLE_COLOR colour);
    // Fills (x, y, x + width, y + height) of `dc` with the pattern, whose
    // top-left corner lies at (x, y) when `resetOrigin`, else at the device
    // origin. The brush origin is left so. Does nothing without a pattern.
    // Throws std::overflow_error when the rectangle leaves the 32-bit range.
    void Tile(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, bool resetOrigin) const;
    void DestroyPattern() { brush_.reset(); }

private:
    UniqueBrush brush_;
};

} // namespace qel
