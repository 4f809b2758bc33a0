#include "creator/shell/PieceListHandlers.h"
#include "creator/editor/SelectionMarker.h"
#include "creator/shell/GraphicPickerDialogs.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "forms/Image.h"
#include "forms/ListBox.h"
#include "forms/TextBox.h"

#include <cmath>

namespace qel::creator {
namespace {

void HideMarkers(MainFrm& main) {
    for (LivePreviewFrm* form : main.Frm)
        form->Image1->Visible(false);
}

// At most one list has a selection, and only its page's preview shows the
// marker; a marker that would not fit the form stays hidden.
void List_Click(MainFrm& main, int list) {
    forms::ListBox& self = *main.List[list];
    const int variant = PageVariant(list);
    LivePreviewFrm& form = *main.Frm[variant];
    if (self.ListIndex() < 0) {
        form.Image1->Visible(false);
        return;
    }
    for (int other = 1; other <= kVariants; ++other)
        if (other != list) main.List[other]->ListIndex(-1);
    HideMarkers(main);
    const auto marker =
        SelectionMarker(main.Document, variant, static_cast<Piece>(self.ListIndex()),
                        static_cast<int>(std::lround(form.ScaleWidth())),
                        static_cast<int>(std::lround(form.ScaleHeight())));
    if (!marker) return;
    form.Image1->Move(static_cast<float>(marker->x), static_cast<float>(marker->y),
                      static_cast<float>(marker->width), static_cast<float>(marker->height));
    form.Image1->Visible(true);
}

// Afterwards no list of the handler's family has a selection and no marker
// shows: List1 clears all four lists, the others their own.
void List_DblClick(MainFrm& main, int list) {
    forms::ListBox& self = *main.List[list];
    const long piece = self.ListIndex();
    if (piece < 0) return;
    // The controls show what the assignment wrote before the previews are
    // recomposed: the piece flags, and a Top Left graphic's "Caption Left:"
    // and "Menu Left".
    const auto redraw = [&main] {
        main.ShowPieceFlags();
        for (Field field : {Field::CaptionLeft, Field::MenuLeft})
            if (main.Text[field]->Text() != main.Document.Text(field))
                main.Text[field]->Text(main.Document.Text(field));
        main.RedrawPreviews();
    };
    PickPieceGraphic(main.Document, list, piece, GraphicPickerDialogs(main), redraw);
    for (int other = 1; other <= kVariants; ++other)
        if (other == list || list == 1) main.List[other]->ListIndex(-1);
    HideMarkers(main);
}

} // namespace

void ConnectPieceLists(MainFrm& main) {
    for (int list = 1; list <= kVariants; ++list) {
        main.List[list]->OnClick = [&main, list] { List_Click(main, list); };
        main.List[list]->OnDblClick = [&main, list] { List_DblClick(main, list); };
    }
}

} // namespace qel::creator
