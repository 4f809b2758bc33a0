#include "base/Twips.h"
#include "base/Handle.h"
#include "base/Rounding.h"

namespace qel {
namespace {

double TwipsPerPixel(int axis) {
    WindowDC screen = WindowDC::Client(nullptr);
    int dpi = screen ? GetDeviceCaps(screen.get(), axis) : 0;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

} // namespace

double TwipsPerPixelX() {
    return TwipsPerPixel(LOGPIXELSX);
}
double TwipsPerPixelY() {
    return TwipsPerPixel(LOGPIXELSY);
}
int PixelsFromTwipsX(double twips) {
    return RoundHalfEven(twips / TwipsPerPixelX());
}
int PixelsFromTwipsY(double twips) {
    return RoundHalfEven(twips / TwipsPerPixelY());
}

} // namespace qel
