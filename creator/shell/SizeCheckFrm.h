// "Check Skin Graphic Size": the width and height of every piece graphic of
// the four variants in two grids, the cells that must hold equal values
// coloured alike, and a verdict. Computed when the form loads; a cell click
// shows that piece's graphic.
#pragma once
#include "creator/shell/SkinDocument.h"
#include "forms/Form.h"

namespace qel::forms {
class ActiveXControl;
class CommandButton;
class Grid;
class Image;
class Label;
} // namespace qel::forms

namespace qel::creator {

// What the size check reads of the main window's piece boxes, variants 1 to 4.
class PieceBoxes {
public:
    virtual ~PieceBoxes() = default;
    // The box's outer size in the main window's scale, twips.
    virtual float Width(Piece piece, int variant) const = 0;
    virtual float Height(Piece piece, int variant) const = 0;
    // The box's persistent image.
    virtual forms::Picture Image(Piece piece, int variant) const = 0;
};

class SizeCheckFrm : public forms::Form {
public:
    SizeCheckFrm() : Form("SizeCheckFrm") {}

    // The piece boxes the form reads; set before it is shown, kept while it is loaded.
    const PieceBoxes* Boxes = nullptr;

    forms::Grid* Grid1 = nullptr; // variants 1 and 2 (with menu)
    forms::Grid* Grid2 = nullptr; // variants 3 and 4 (no menu)
    forms::Label* Label1 = nullptr;
    forms::Image* Image1 = nullptr; // the graphic of the selected cell
    forms::Image* Image2 = nullptr; // pass
    forms::Image* Image3 = nullptr; // fail
    forms::Label* Label2 = nullptr; // the verdict
    forms::CommandButton* Command1 = nullptr;
    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

protected:
    void Design() override;

private:
    void Fill();
    // Colours the groups and tests them; true when a tested group fails.
    bool CheckGroups();
    // Shows the piece of the current cell of `grid`; `other` loses its current row.
    void ShowCell(forms::Grid& grid, forms::Grid& other, int activeVariant);
};

} // namespace qel::creator
