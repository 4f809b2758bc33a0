// The live preview forms' own reactions to the user: the eyedropper pick, the
// mock caption buttons, the mock menu bar's hover colour, the choice of the
// sample icon and Frm1's return of the focus to the main window.
#pragma once
#include "creator/editor/MockCaptionButtons.h"

namespace qel::creator {

class MainFrm;

// Gives Frm1 to Frm4 and their controls their handlers, now and at every
// later load of a form.
void ConnectPreviewForms(MainFrm& main);

// Gives the mock caption-button images of the preview of `variant` the
// pictures of the caption-button boxes that `pictures` names, and its mock
// menu the colour of swatch `swatch`. What they show already is not
// repainted, so that pointer moves that change nothing draw nothing.
void ShowMockButtons(MainFrm& main, int variant, const ButtonPictures& pictures);
void ShowMenuColour(MainFrm& main, int variant, Swatch swatch);

} // namespace qel::creator
