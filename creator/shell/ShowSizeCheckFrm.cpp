// The size-check command: SizeCheckFrm reads the main window's piece boxes,
// which the skin document holds in pixels.
#include "sheet/win32/SheetPicture.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/MainFrm.h"
#include "creator/shell/SizeCheckFrm.h"
#include "forms/Screen.h"

namespace qel::creator {

namespace {

// The piece boxes of a skin document, in the main window's scale (twips).
class DocumentPieceBoxes final : public PieceBoxes {
public:
    const SkinDocument* document = nullptr;

    float Width(Piece piece, int variant) const override {
        return document->PieceBox(piece, variant).width * forms::Screen::TwipsPerPixelX();
    }
    float Height(Piece piece, int variant) const override {
        return document->PieceBox(piece, variant).height * forms::Screen::TwipsPerPixelY();
    }
    forms::Picture Image(Piece piece, int variant) const override {
        return PictureFromSheet(document->PieceBox(piece, variant).Shown());
    }
};

} // namespace

// A form still loaded is brought forward as it is; a new one reads the boxes.
void ShowSizeCheckFrm(MainFrm& main) {
    static DocumentPieceBoxes boxes;
    SizeCheckFrm& form = forms::Default<SizeCheckFrm>();
    if (!form.Loaded()) {
        boxes.document = &main.Document;
        form.Boxes = &boxes;
    }
    form.Show();
}

} // namespace qel::creator
