// The windows side of the graphic pickers: the main window's open dialog, the
// update dialog "Update Which Images" and the picture loader.
#pragma once
#include "creator/editor/GraphicPickers.h"

namespace qel::creator {

class MainFrm;

// The open dialog starts in the folder of the setting "LstGraphicLoc" when
// that folder exists (else where it was); a picture loads into the pixels of
// a graphic, and a file that is no picture, or larger than the bound of what
// was picked, is refused (std::exception).
PickerDialogs GraphicPickerDialogs(MainFrm& main);

} // namespace qel::creator
