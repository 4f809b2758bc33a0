// Saving the skin, as far as the main window needs it: the piece checks, the
// save dialog, the names, the bitmap (and the GIF image) of the composed
// sheet, and the preview file. A save that cannot write its files says so.
#include "base/AtomicFile.h"
#include "base/FileHelpers.h"
#include "control/SheetPicture.h"
#include "creator/sheet/SkinFileNames.h"
#include "creator/sheet/SkinGif.h"
#include "creator/sheet/SkinSheetMapping.h"
#include "creator/sheet/ValidateSkinPieces.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/MainFrm.h"
#include "forms/MsgBox.h"
#include "forms/RuntimeError.h"
#include "forms/Settings.h"

#include <stdexcept>

namespace qel::creator {

using namespace forms;

namespace {

void Say(const std::string& text) {
    MsgBox(text, MB_OK | MB_ICONEXCLAMATION, "Vantreo Skin Creator");
}

uint32_t Translate(uint32_t colour) {
    return ToRgb(colour);
}

void WriteSheet(const SheetImage& sheet, const std::string& path) {
    SavePicture(PictureFromSheet(sheet).get(), path);
}

} // namespace

bool SaveSkinImage(MainFrm& main, bool asGif, bool previewOnly) {
    SkinDocument& document = main.Document;
    if (!ValidateSkinPieces(document, Say)) return false;
    if (std::string fault = SheetFault(document, Translate); !fault.empty()) {
        Say(fault);
        return false;
    }
    try {
        if (previewOnly) {
            WriteSheet(ComposeSkinImage(document, Translate), main.ProgramFolder + "Preview.skn");
            DoPreview(PreviewName(document.SkinName));
            return false;
        }
        CommonDialog& dialog = main.CommonDialog1;
        const std::string folder =
            GetSetting("Vantreo", "Settings", "LstSavedSkinLoc", main.ProgramFolder);
        if (FolderExists(folder)) dialog.InitDir(folder);
        dialog.DialogTitle("Save Vantreo Skin Image");
        dialog.Filter(asGif ? "Vantreo Saved GIF Skins (*.gif)|*.gif"
                            : "Vantreo Saved BMP Skins (*.bmp)|*.bmp");
        dialog.DefaultExt(asGif ? ".gif" : ".bmp");
        dialog.FileName(document.SkinName + (asGif ? ".gif" : ".bmp"));
        if (!dialog.ShowSave()) return false;

        const SaveTarget target = SaveTargetOf(dialog.FileName(), dialog.FileTitle());
        document.SkinName = target.name;
        main.Caption("Vantreo Skin Builder - " + target.name);
        SaveSetting("Vantreo", "Settings", "LstSavedSkinLoc", target.folder);

        WriteSheet(ComposeSkinImage(document, Translate), target.Bitmap());
        if (asGif) {
            const SkinSheetContent content = SheetContentOf(document, Translate);
            const SkinGif gif = MakeSkinGif(content, SheetBackground(content.key));
            std::string error;
            if (!WriteFileReplacing(target.Gif(), gif.bytes.data(), gif.bytes.size(), &error)) {
                Say("Unexpected error saving Skin GIF image");
                return false;
            }
            Say("Optimized GIF Skin Image has been saved");
        } else {
            Say("BitMap Skin Image has been saved");
        }
        document.SkinModified = false;
        return true;
    } catch (const std::exception& e) {
        Say(std::string("The skin could not be written: ") + e.what());
        return false;
    }
}

} // namespace qel::creator
