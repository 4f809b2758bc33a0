// What the piece and caption-button graphic pickers ask and propose: the open
// dialog's texts, the variant of each piece list's page, the update dialog's
// pre-ticks, and loading a caption-button graphic into the document.
#pragma once
#include "creator/editor/AssignPieceGraphic.h"

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

// Puts `graphic` into the caption-button box of `state` 1 to 4, tags it "99"
// and marks the skin modified. Throws before changing anything when the
// graphic does not fit (CheckGraphicFits).
void AssignButtonGraphic(SkinDocument& document, CaptionButton button, int state,
                         const SheetImage& graphic);

} // namespace qel
