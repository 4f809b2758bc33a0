// Text on skin previews: the title, the menu bar's items (the second one hot)
// and a line in the form's text colour, drawn with the platform's fonts where
// there is a platform to draw them; the native build leaves the frame as it is.
#pragma once
#include "sheet/SheetImage.h"
#include "tools/skins/FramePreview.h"

#include <string>

namespace qel::test {

// Draws the texts of `frame`, which lies at (x, y) on `image`.
void DrawPreviewText(SheetImage& image, int x, int y, const FramePicture& frame,
                     const FrameShot& shot, const std::string& title);

} // namespace qel::test
