#include "creator/shell/ButtonGraphics.h"
#include "base/FileHelpers.h"
#include "control/SheetPicture.h"
#include "creator/editor/GraphicPickers.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "forms/Image.h"
#include "forms/PictureBox.h"
#include "forms/RuntimeError.h"
#include "forms/Settings.h"

namespace qel::creator {

using namespace forms;

void ButtonBox_DblClick(MainFrm& main, CaptionButton button, int state) {
    PickerDialogs dialogs;
    dialogs.open = [&main](const std::string& title) {
        CommonDialog& dialog = main.CommonDialog1;
        const std::string folder = GetSetting(MainFrm::kSettingsApp, MainFrm::kSettingsSection,
                                              "LstGraphicLoc", main.ProgramFolder);
        if (FolderExists(folder)) dialog.InitDir(folder);
        dialog.DialogTitle(title);
        dialog.Filter(kGraphicFilter);
        dialog.ShowOpen();
        return dialog.FileName();
    };
    dialogs.loadPicture = [](const std::string& path) {
        std::string problem;
        std::optional<SheetImage> image = SheetFromPicture(LoadPicture(path).get(), &problem);
        if (!image) throw RuntimeError(kInvalidPicture, problem);
        return *image;
    };
    PickButtonGraphic(main.Document, button, state, dialogs, [&] {
        const GraphicBox& box = main.Document.ButtonBox(button, state);
        PictureBox& window = *main.ButtonBox[static_cast<int>(button)][state - 1];
        window.Picture(PictureFromSheet(box.picture));
        window.Tag(box.tag);
        ShowPreviewButton(main, button);
        CenterButtonGraphics(main);
    });
}

void ShowPreviewButton(MainFrm& main, CaptionButton button) {
    const int b = static_cast<int>(button);
    for (int v = 1; v <= kVariants; ++v)
        main.Frm[v - 1]->Image2[b + 1]->Picture(
            main.ButtonBox[b][PreviewButtonState(v) - 1]->Picture());
}

// Each box in the middle of its frame, by outer sizes in twips; a box larger
// than its frame is clipped on both sides.
void CenterButtonGraphics(MainFrm& main) {
    for (int state = 0; state < kButtonStates; ++state)
        for (int b = 0; b < kCaptionButtons; ++b) {
            PictureBox& box = *main.ButtonBox[b][state];
            const PictureBox& frame = *main.ButtonFrame[b][state];
            box.Left((frame.Width() - box.Width()) / 2);
            box.Top((frame.Height() - box.Height()) / 2);
        }
}

} // namespace qel::creator
