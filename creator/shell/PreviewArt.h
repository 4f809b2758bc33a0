// The live previews' own art, resources of the program: the eyedropper's
// pointer CROSSHAIR, a circular cross-hair with tick marks, and the sample
// form icon SAMPLEICON (16 x 16).
#pragma once
#include "forms/Picture.h"

namespace qel::creator {

// Each a picture for a form's MouseIcon or an image; none when the program
// carries no such resource (the form then shows the arrow, the image nothing).
forms::Picture CrosshairPointer();
forms::Picture SampleIcon();

} // namespace qel::creator
