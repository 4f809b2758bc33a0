// The piece and caption-button graphic pickers: what they ask and propose
// (the open dialog's texts, the variant of each piece list's page, the update
// dialog's pre-ticks) and what they do, with the dialogs and the picture
// loader behind seams.
#pragma once
#include "creator/editor/AssignPieceGraphic.h"

#include <functional>
#include <string>

namespace qel {

// The open dialog's filter of both pickers.
inline constexpr const char* kGraphicFilter =
    "Graphic Files (*.bmp, *.jpg, *.gif)|*.bmp;*.jpg;*.gif";

// The variant whose preview stands on the page of piece list `list` 1 to 4:
// List2's page shows variant 3 and List3's variant 2 (the lists' flags still
// follow the variant number).
int PageVariant(int list);

// The open dialog's title for piece `piece` 0 to 9: "Get Left Side graphic".
std::string PiecePickerTitle(Piece piece);

// What the update dialog proposes for piece `piece` picked on the page of
// variant `pageVariant`: that variant, and every other variant whose piece
// holds no graphic yet; corner kind 1 for a fixed bottom corner, 2 for a
// sizable one, else 0.
PieceUpdate ProposedUpdate(const SkinDocument& document, int pageVariant, Piece piece);

// The open dialog's title for a caption button: "Get Close Button Graphic".
std::string ButtonPickerTitle(CaptionButton button);

// The button state whose graphics the preview of `variant` shows: Normal on
// the active variants 1 and 3, Disabled on 2 and 4.
int PreviewButtonState(int variant);

// Puts `graphic` into the caption-button box of `state` 1 to 4 and tags it
// "99". Throws before changing anything when the graphic does not fit
// (CheckGraphicFits).
void AssignButtonGraphic(SkinDocument& document, CaptionButton button, int state,
                         const SheetImage& graphic);

// What the pickers ask of the windows side.
struct PickerDialogs {
    // The open dialog (initial folder from "LstGraphicLoc", filter
    // kGraphicFilter) with the given title: the chosen path, "" on cancel.
    std::function<std::string(const std::string& title)> open;
    // The update dialog's SelectFrms; the caller unloads the dialog.
    std::function<bool(PieceUpdate& update)> selectFrms;
    std::function<void()> unloadUpdateDialog;
    // Loads a picture file within `bound`, which names what was picked; throws
    // GraphicRefused, told as it stands (it names the file), for a picture the
    // pickers cannot take, anything else for a file that is no picture.
    std::function<SheetImage(const std::string& path, PictureBound bound)> loadPicture;
    // Tells the user a message.
    std::function<void(const std::string& text)> say;
};

// A double-click on piece `piece` (-1: no item selected, nothing happens) of
// piece list `list` 1 to 4: asks for a file and the variants, assigns the
// graphic, unloads the update dialog and recomposes the previews
// (`doBorders`). Any failure ends it before the recomposition, leaving the
// update dialog loaded and SkinModified as it was: a refused graphic with the
// reason told (`say`), any other failure silently. A cancelled
// open dialog stores nothing; List1 marks the skin modified after every
// recomposition, the other lists once the update dialog was answered. The
// caller then clears the list's selection and hides the markers.
void PickPieceGraphic(SkinDocument& document, int list, int piece, const PickerDialogs& dialogs,
                      const std::function<void()>& doBorders);

// A double-click on the caption-button box of `state` of `button`: asks for
// a file, assigns it (AssignButtonGraphic) and lets `showButtons` give the
// previews their images and centre the boxes. A cancel or any failure ends it
// as for pieces; the skin is marked modified last.
void PickButtonGraphic(SkinDocument& document, CaptionButton button, int state,
                       const PickerDialogs& dialogs, const std::function<void()>& showButtons);

} // namespace qel
