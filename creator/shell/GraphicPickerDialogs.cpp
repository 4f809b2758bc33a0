#include "creator/shell/GraphicPickerDialogs.h"
#include "base/BitmapRows.h"
#include "base/FileHelpers.h"
#include "base/PictureFile.h"
#include "sheet/win32/SheetPicture.h"
#include "creator/shell/CreatorSettings.h"
#include "creator/shell/MainFrm.h"
#include "creator/shell/UpdateWhatFrm.h"
#include "forms/MsgBox.h"
#include "forms/Settings.h"

#include <stdexcept>

namespace qel::creator {

using namespace forms;

namespace {

// A picture that is no bitmap (an icon) as a graphic box shows it: drawn at its
// size over the box's back colour.
ComPtr<IPictureDisp> DrawnOnBox(IPictureDisp* picture) {
    const SIZE size = PictureSize(picture);
    const std::vector<uint32_t> back =
        SheetImage(size.cx, size.cy, GraphicBox().backColor).ToBgra();
    UniqueBitmap bitmap = BitmapFromRows(size.cx, size.cy, back.data());
    if (!bitmap) return nullptr;
    {
        UniqueDC dc(CreateCompatibleDC(nullptr));
        Selection drawing(dc.get(), bitmap.get());
        RenderPicture(picture, dc.get(), {0, 0, size.cx, size.cy});
    }
    return PictureFromBitmap(std::move(bitmap));
}

} // namespace

PickerDialogs GraphicPickerDialogs(MainFrm& main) {
    PickerDialogs dialogs;
    dialogs.open = [&main](const std::string& title) {
        CommonDialog& dialog = main.CommonDialog1;
        const std::string folder =
            GetSetting(kSettingsApp, kSettingsSection, "LstGraphicLoc", main.ProgramFolder);
        if (FolderExists(folder)) dialog.InitDir(folder);
        dialog.DialogTitle(title);
        dialog.Filter(kGraphicFilter);
        dialog.DefaultExt("");
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
    dialogs.loadPicture = [](const std::string& path, PictureBound bound) {
        std::string problem;
        PictureProblem why = PictureProblem::None;
        ComPtr<IPictureDisp> picture = LoadPictureFile(path, bound, &problem, &why);
        if (!picture && why == PictureProblem::TooLarge)
            throw GraphicRefused(problem);                  // names the file
        if (!picture) throw std::invalid_argument(problem); // no picture: no message
        if (!BitmapOfPicture(picture.get())) picture = DrawnOnBox(picture.get());
        std::optional<SheetImage> image = SheetFromPicture(picture.get(), &problem);
        if (!image)
            throw GraphicRefused("The graphic \"" + path.substr(path.find_last_of('\\') + 1) +
                                 "\" cannot be used: " + problem);
        return std::move(*image);
    };
    dialogs.say = [](const std::string& text) { MsgBox(text, MB_ICONEXCLAMATION); };
    return dialogs;
}

} // namespace qel::creator
