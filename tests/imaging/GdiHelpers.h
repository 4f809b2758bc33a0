// Pictures and pixels for the imaging library's GDI tests.
#pragma once
#include "base/ComPtr.h"
#include "imaging/cDIB.h"

#include <olectl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qel::test {

// A picture that owns `bitmap`.
ComPtr<IPicture> BitmapPicture(HBITMAP bitmap);
// A picture of a stock icon.
ComPtr<IPicture> IconPicture();
// The colour (0x00RRGGBB as red, green, blue bytes) of a 32-bit image's pixel.
uint32_t Pixel32(const cDIB& image, int x, int y);
void SetPixel32(cDIB& image, int x, int y, uint32_t rgb);
// A 32-bit image whose every pixel has its own colour: red x * 10, green y * 10, blue 200.
cDIB Gradient(int width, int height);
uint32_t GradientColour(int x, int y);
// Writes a bottom-up 24-bit BMP file of `width` x `height` pixels in Gradient's colours.
void WriteGradientBmp(const std::string& path, int width, int height);

} // namespace qel::test
