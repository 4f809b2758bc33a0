// Clearing the skin: the graphics and swatches go back, and the previews are
// loaded anew, blank, into their boxes. What the user set besides graphics and
// colours (the piece flags, the button boxes' Tags, the number fields and the
// check boxes) stays, so the next composition draws an emptied flagged box in
// its back colour.
#include "creator/shell/CreatorServices.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "forms/PictureBox.h"

namespace qel::creator {

using namespace forms;

void MainFrm::ClearSkinPieces() {
    Document.ClearSkinPieces();
    for (int state = 0; state < kButtonStates; ++state)
        for (auto& column : ButtonBox)
            column[state]->Picture(nullptr);
    // The design size, in the frames' twips.
    for (int state = 0; state < kButtonStates; ++state)
        for (auto& column : ButtonBox) {
            column[state]->Height(240);
            column[state]->Width(270);
        }
    CenterButtonGraphics(*this);
    for (int k = 0; k < kSwatches; ++k)
        ShowSwatch(k);
    for (int box = 0; box < 4; ++box) {
        PreviewIn(box).Unload();
        PreviewIn(box).Load();
        EmbedPreview(box);
    }
    for (LivePreviewFrm* form : Frm)
        form->Cls();
}

} // namespace qel::creator
