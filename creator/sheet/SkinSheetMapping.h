// The skin document and the skin sheet: what a sheet stores of a document, the
// check that a document's sheet will read back before it is saved or
// previewed, and cutting a read sheet back into a document.
#pragma once
#include "creator/shell/SkinDocument.h"
#include "sheet/SkinSheetContent.h"
#include "sheet/SkinSheetReader.h"

#include <functional>
#include <string>
#include <vector>

namespace qel {

// Turns a colour that may be a system colour (0x80000000 | index) into a
// colour value 0x00BBGGRR; the platform side translates the system colours.
using TranslateColour = std::function<uint32_t(uint32_t colour)>;

// The colour under everything a sheet does not draw: white, or 0x00FEFEFE
// when the key colour is white.
uint32_t SheetBackground(uint32_t key);

// What the sheet of `document` stores: every box as it shows, the side and
// bottom pieces of variants 1 and 2, the swatches' colours translated (the
// "Neutral Color" as the key), a flag for each of Check2 to Check6 whose Value
// is exactly 1, and the stored number fields' Val() rounded half to even.
SkinSheetContent SheetContentOf(const SkinDocument& document, const TranslateColour& translate);

// Run after ValidateSkinPieces: the prompt, in the validation's style, for
// what the validation lets through but the sheet would not read back (Top
// Middle or Top Right widths that differ between the variants or heights that
// differ from their band's, sizable corners that differ from the sides, a
// caption band one row high, the key colour where the readers scan, values
// outside 0 to 4095, a sheet too large); "" when the sheet reads back. A size
// rule's prompt names the variant and the sizes found.
std::string SheetFault(const SkinDocument& document, const TranslateColour& translate);

// The sheet of a document that passed ValidateSkinPieces and SheetFault, or of
// what it stores.
SheetImage ComposeSkinImage(const SkinDocument& document, const TranslateColour& translate);
SheetImage ComposeSkinImage(const SkinSheetContent& content);

// The side and bottom pieces of variants 3 and 4 that a sheet does not keep
// because they differ from those of variants 1 and 2 ("Left Side (variant 3)").
std::vector<std::string> PiecesNotKept(const SkinDocument& document);

// Cuts a sheet that ReadSkinSheet found in `picture` into the document: every
// box takes its cell (variants 3 and 4 the side and bottom pieces of 1 and 2),
// the swatches their colours, Check2 to Check6 their flags (black only), the
// stored number fields their values; every list flag becomes kHasGraphic and
// a caption-button box's Tag "0" when its pixel (1,1) has the "Empty Color",
// else "99". SkinModified and SkinName are left to the caller.
void ReadSkinImage(SkinDocument& document, const SheetImage& picture, const SkinSheet& sheet);

// "Load Skin"'s part in the document: refuses (the reason back, the document
// unchanged) a picture that is no readable sheet or whose key lines are not
// whole (a key-colour pixel in a piece misled the scans); otherwise clears the
// document's graphics (ClearSkinPieces, which clears SkinModified) and cuts
// the sheet into it.
std::string LoadSkinSheet(SkinDocument& document, const SheetImage& picture);

} // namespace qel
