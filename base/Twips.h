// Twips (1/1440 inch) and screen pixels.
#pragma once

namespace qel {

// The screen's twips per pixel (1440 / logical pixels per inch), as the forms
// runtime reports them.
double TwipsPerPixelX();
double TwipsPerPixelY();

// Twips to pixels: divided in floating point, rounded halves to even.
int PixelsFromTwipsX(double twips);
int PixelsFromTwipsY(double twips);

} // namespace qel
