#include "creator/shell/ButtonGraphics.h"
#include "sheet/win32/SheetPicture.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/GraphicPickerDialogs.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "forms/Image.h"
#include "forms/PictureBox.h"

namespace qel::creator {

using namespace forms;

void ButtonBox_DblClick(MainFrm& main, CaptionButton button, int state) {
    PickButtonGraphic(main.Document, button, state, GraphicPickerDialogs(main), [&] {
        const GraphicBox& box = main.Document.ButtonBox(button, state);
        PictureBox& window = *main.ButtonBox[static_cast<int>(button)][state];
        window.Picture(PictureFromSheet(box.picture));
        window.Tag(box.tag);
        ShowPreviewButton(main, button);
        CenterButtonGraphics(main);
    });
}

void ShowPreviewButton(MainFrm& main, CaptionButton button) {
    const int b = static_cast<int>(button);
    for (int v = 1; v <= kVariants; ++v)
        main.Frm[v]->Image2[b + 1]->Picture(main.ButtonBox[b][PreviewButtonState(v)]->Picture());
}

// Each box in the middle of its frame, by outer sizes in twips; a box larger
// than its frame is clipped on both sides.
void CenterButtonGraphics(MainFrm& main) {
    for (int state = 1; state <= kButtonStates; ++state)
        for (int b = 0; b < kCaptionButtons; ++b) {
            PictureBox& box = *main.ButtonBox[b][state];
            const PictureBox& frame = *main.ButtonFrame[b][state];
            box.Left((frame.Width() - box.Width()) / 2);
            box.Top((frame.Height() - box.Height()) / 2);
        }
}

} // namespace qel::creator
