// Rounded window corners through a window region.
#pragma once
#include <windows.h>

namespace qel {

// Gives the form rounded top corners, bottom corners, both, or none: the corner
// ellipse is Angle x Angle pixels. An Angle below 1, or neither corner set,
// removes the window's region. The window owns the region it is given.
void SetFormRoundRegion(HWND frm, short Angle, bool DoTop, bool DoBtm);

} // namespace qel
