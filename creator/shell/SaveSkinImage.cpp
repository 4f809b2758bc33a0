// Saving the skin: the piece checks, the question about the pieces the sheet
// cannot keep, the save dialog, the names and the question about files the
// dialog did not ask about; then one sheet of the skin as it stands, written as
// a bitmap and, for the GIF form, read into the imaging objects, shown on the
// canvas and written as a GIF image, each file decoded and checked before it
// replaces anything. A preview writes the preview file and shows it on the
// preview form.
#include "base/AtomicFile.h"
#include "base/FileHelpers.h"
#include "base/MessagePump.h"
#include "base/PictureFile.h"
#include "sheet/SkinSheetGeometry.h"
#include "sheet/win32/SheetPicture.h"
#include "creator/sheet/SkinBitmap.h"
#include "creator/sheet/SkinFileNames.h"
#include "creator/sheet/SkinGif.h"
#include "creator/sheet/SkinSheetMapping.h"
#include "creator/sheet/ValidateSkinPieces.h"
#include "creator/shell/CreatorSettings.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/Hourglass.h"
#include "creator/shell/MainFrm.h"
#include "creator/shell/PreviewFile.h"
#include "creator/shell/mGlobal.h"
#include "forms/ColorBrush.h"
#include "forms/MsgBox.h"
#include "forms/Settings.h"
#include "imaging/mDither8bpp.h"

#include <exception>
#include <functional>
#include <optional>

namespace qel::creator {

using namespace forms;

namespace {

constexpr char kTitle[] = "Vantreo Skin Creator";

// A message of the saver, shown with the default pointer. The keys typed while
// the save worked wait in the queue (its pumps take no input); they are dropped
// first, as the clicks are by the disabled main window, so that none closes the
// message before it is read.
void Say(const std::string& text) {
    Screen::MousePointer(Pointer::Default);
    MSG typed;
    while (PeekMessageA(&typed, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    MsgBox(text, MB_OK | MB_ICONEXCLAMATION, kTitle);
}

uint32_t Translate(uint32_t colour) {
    return ToRgb(colour);
}

// The pixels of a picture the platform decoded; nothing, with the reason in
// `problem`, when there is no picture.
std::optional<SheetImage> PixelsOf(IPictureDisp* picture, std::string& problem) {
    if (!picture) {
        if (problem.empty()) problem = "The platform cannot read the image.";
        return std::nullopt;
    }
    return SheetFromPicture(picture, &problem);
}

// Writes `bytes` to `path` once the platform decodes them to a picture that
// `fault` finds no fault with, so that a file that would not read back never
// replaces the user's: "" when written, else what went wrong.
std::string WriteCheckedFile(const std::string& path, const std::vector<uint8_t>& bytes,
                             const std::function<std::string(const SheetImage&)>& fault) {
    std::string problem;
    const std::optional<SheetImage> decoded =
        PixelsOf(LoadPictureBytes(bytes.data(), bytes.size(), kSheetPictureBound).get(), problem);
    if (!decoded) return problem;
    if (problem = fault(*decoded); problem.empty())
        WriteFileReplacing(path, bytes.data(), bytes.size(), &problem);
    return problem;
}

// Yes when the user saves although the side and bottom pieces of variants 3
// and 4 that differ from those of 1 and 2 will read back as those.
bool KeepAnyway(const std::vector<std::string>& pieces) {
    if (pieces.empty()) return true;
    std::string list;
    for (const std::string& piece : pieces)
        list += piece + "\r\n";
    return MsgBox("A skin image keeps one set of side and bottom pieces for forms with and "
                  "without a menu. These pieces will load back as those of the forms with a "
                  "menu:\r\n\r\n" +
                      list + "\r\nSave the skin anyway?",
                  MB_YESNO | MB_ICONQUESTION, kTitle) == IDYES;
}

// Yes when no file that the dialog did not ask about would be replaced, or
// the user agrees to replace them.
bool ReplaceOthers(const SaveTarget& target, const std::string& fileName, bool asGif) {
    std::string list;
    for (const std::string& file : FilesNotChosen(target, fileName, asGif))
        if (FileExists(file)) list += file.substr(target.folder.size()) + "\r\n";
    return list.empty() ||
           MsgBox("The skin is saved under the name \"" + target.name +
                      "\", which replaces these files:\r\n\r\n" + list + "\r\nReplace them?",
                  MB_YESNO | MB_ICONQUESTION, kTitle) == IDYES;
}

// The GIF save after the bitmap was written: the bitmap through the imaging
// objects onto the canvas, then the GIF image of the same sheet, decoded and
// checked, written. False, the reason told, when the GIF is not written.
bool SaveGifForm(MainFrm& main, const SaveTarget& target, const SkinSheetContent& content) {
    const auto notSaved = [&](const std::string& problem) {
        Say("The bitmap " + target.Bitmap() + " was written, but the skin could not be saved as " +
            target.Gif() + ".\r\n\r\n" + problem);
        return false;
    };
    SetPaletteType(PaletteType::Optimal);
    SetDitherMethod(DitherMethod::Nearest);
    if (std::string problem = LoadBitmapForDither(main, target.Bitmap()); !problem.empty())
        return notSaved(problem);
    CompactPalette(IndexedImage(), SheetPalette());
    DoEvents();
    Hourglass busy;
    const SkinGif gif = MakeSkinGif(content, SheetBackground(content.key));
    if (std::string problem = WriteCheckedFile(
            target.Gif(), gif.bytes,
            [&](const SheetImage& decoded) { return GifReadBackFault(decoded, gif, content); });
        !problem.empty())
        return notSaved(problem);
    return true;
}

bool Save(MainFrm& main, bool asGif, bool previewOnly) {
    SkinDocument& document = main.Document;
    if (!ValidateSkinPieces(document, Say)) return false;
    if (std::string fault = SheetFault(document, Translate); !fault.empty()) {
        Say(fault);
        return false;
    }
    if (previewOnly) {
        std::string problem;
        if (WritePreviewFile(ComposeSkinImage(document, Translate), main.ProgramFolder, &problem)
                .empty()) {
            Say("The preview file \"Preview.skn\" could not be written: " + problem);
            return false;
        }
        DoPreview(PreviewName(document.SkinName));
        return false;
    }
    if (!KeepAnyway(PiecesNotKept(document))) return false;

    CommonDialog& dialog = main.CommonDialog1;
    const std::string folder =
        GetSetting(kSettingsApp, kSettingsSection, "LstSavedSkinLoc", main.ProgramFolder);
    if (FolderExists(folder)) dialog.InitDir(folder);
    dialog.DialogTitle("Save Vantreo Skin Image");
    dialog.Filter(asGif ? "Vantreo Saved GIF Skins (*.gif)|*.gif"
                        : "Vantreo Saved BMP Skins (*.bmp)|*.bmp");
    dialog.DefaultExt(asGif ? ".gif" : ".bmp");
    dialog.FileName(document.SkinName + (asGif ? ".gif" : ".bmp"));
    if (!dialog.ShowSave() || dialog.FileName().empty()) return false;
    const SaveTarget target = SaveTargetOf(dialog.FileName(), dialog.FileTitle());
    if (!HasName(target.name)) {
        Say("The file name \"" + dialog.FileTitle() + "\" gives the skin no name.");
        return false;
    }
    if (!ReplaceOthers(target, dialog.FileName(), asGif)) return false;

    // Both files are written from the skin as it stands now, under its new
    // name; the caption and the folder setting follow only once both are.
    SkinDocument written = document;
    written.SkinName = target.name;
    const SkinSheetContent content = SheetContentOf(written, Translate);
    Hourglass busy;
    DoEvents();

    const SheetImage sheet = ComposeSkinImage(content);
    const auto sameSheet = [&](const SheetImage& decoded) -> std::string {
        return decoded == sheet ? "" : "The bitmap does not read back to the skin sheet.";
    };
    if (std::string problem = WriteCheckedFile(target.Bitmap(), SkinBitmapBytes(sheet), sameSheet);
        !problem.empty()) {
        Say("The skin could not be saved as " + target.Bitmap() + ".\r\n\r\n" + problem);
        return false;
    }
    if (asGif && !SaveGifForm(main, target, content)) return false;
    document.SkinName = target.name;
    main.Caption(kSkinCaption + target.name);
    SaveSetting(kSettingsApp, kSettingsSection, "LstSavedSkinLoc", target.folder);
    Say(asGif ? "Optimized GIF Skin Image has been saved" : "BitMap Skin Image has been saved");
    // An edit that came in meanwhile is not in the files.
    if (document == written) document.SkinModified = false;
    return true;
}

} // namespace

bool SaveSkinImage(MainFrm& main, bool asGif, bool previewOnly) {
    try {
        return Save(main, asGif, previewOnly);
    } catch (const std::exception& e) {
        Say(std::string("The skin could not be saved: ") + e.what());
        return false;
    }
}

} // namespace qel::creator
