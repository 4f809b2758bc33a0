// The eyedropper's pointer over the live previews: a circular cross-hair with
// tick marks, the program's cursor resource CROSSHAIR.
#pragma once
#include "forms/Picture.h"

namespace qel::creator {

// The cross-hair as a picture for a form's MouseIcon; none when the program
// carries no such resource (the form then shows the arrow).
forms::Picture CrosshairPointer();

} // namespace qel::creator
