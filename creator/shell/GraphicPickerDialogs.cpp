#include "creator/shell/GraphicPickerDialogs.h"
#include "base/FileHelpers.h"
#include "sheet/win32/SheetPicture.h"
#include "creator/shell/CreatorSettings.h"
#include "creator/shell/MainFrm.h"
#include "creator/shell/UpdateWhatFrm.h"
#include "forms/MsgBox.h"
#include "forms/Settings.h"
#include "sheet/SkinSheetGeometry.h"

#include <stdexcept>

namespace qel::creator {

using namespace forms;

PickerDialogs GraphicPickerDialogs(MainFrm& main) {
    PickerDialogs dialogs;
    dialogs.open = [&main](const std::string& title) {
        CommonDialog& dialog = main.CommonDialog1;
        const std::string folder =
            GetSetting(kSettingsApp, kSettingsSection, "LstGraphicLoc", main.ProgramFolder);
        if (FolderExists(folder)) dialog.InitDir(folder);
        dialog.DialogTitle(title);
        dialog.Filter(kGraphicFilter);
        dialog.ShowOpen();
        return dialog.FileName();
    };
    dialogs.selectFrms = [](PieceUpdate& update) {
        // In, argument k proposes variant k; out, the boxes come back in their
        // own order, variants 1, 3, 2, 4.
        bool a = update.forVariant1, b = update.forVariant2, c = update.forVariant3,
             d = update.forVariant4;
        short corner = static_cast<short>(update.cornerKind);
        const bool chosen = Default<UpdateWhatFrm>().SelectFrms(a, b, c, d, corner);
        update = {a, b, c, d, corner};
        return chosen;
    };
    dialogs.unloadUpdateDialog = [] { Default<UpdateWhatFrm>().Unload(); };
    dialogs.loadPicture = [](const std::string& path) {
        std::string problem;
        PictureProblem why = PictureProblem::None;
        const ComPtr<IPictureDisp> picture =
            LoadPictureFile(path, kSheetPictureBound, &problem, &why);
        if (!picture && why == PictureProblem::TooLarge) throw GraphicRefused(problem);
        if (!picture) throw std::invalid_argument(problem); // no picture: no message
        std::optional<SheetImage> image = SheetFromPicture(picture.get(), &problem);
        if (!image) throw GraphicRefused(problem);
        return std::move(*image);
    };
    dialogs.say = [](const std::string& text) { MsgBox(text, MB_ICONEXCLAMATION); };
    return dialogs;
}

} // namespace qel::creator
