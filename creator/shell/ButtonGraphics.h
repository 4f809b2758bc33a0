// The caption-button graphics on the main window's "Buttons" page: the
// picker behind a double-click on a button box, the preview images that
// follow the Normal and Disabled boxes, and the centring of the boxes in
// their frames (CenterButtonGraphics, in CreatorServices.h).
#pragma once
#include "creator/shell/SkinDocument.h"

namespace qel::creator {

class MainFrm;

// A double-click on the box of `button` in `state` 1 to 4: asks for a picture
// file ("Get Close Button Graphic"), puts it into the box (document and
// window) tagged "99", gives the previews their button images, centres every
// box and marks the skin modified. A cancel or an unreadable file changes
// nothing, silently.
void ButtonBox_DblClick(MainFrm& main, CaptionButton button, int state);

// Gives image `button` of each preview the picture of its button box in the
// state the preview shows: Normal on Frm1 and Frm3, Disabled on Frm2 and Frm4
// (an empty box gives its empty picture).
void ShowPreviewButton(MainFrm& main, CaptionButton button);

} // namespace qel::creator
