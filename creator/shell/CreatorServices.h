// What the main window calls of the creator's other parts: the live
// previews' composition, the caption-button layout, the skin saver and the
// size-check form, each in a file of its own.
#pragma once
#include <string>

namespace qel::creator {

class MainFrm;

// Recomposes the four previews from the document.
void DoBorders(MainFrm& main);
// Centres each caption-button box in its frame.
void CenterButtonGraphics(MainFrm& main);
// Saves the skin as a Windows bitmap (or an optimised GIF), or writes the
// preview file and shows the preview form; true when a skin file was written.
bool SaveSkinImage(MainFrm& main, bool asGif, bool previewOnly);
// Shows the skin, written as the preview file (PreviewFile.h), on the preview
// form (modal), captioned "Previewing " & skinName.
void DoPreview(const std::string& skinName);
// Shows the graphic size check form modeless.
void ShowSizeCheckFrm(MainFrm& main);

} // namespace qel::creator
