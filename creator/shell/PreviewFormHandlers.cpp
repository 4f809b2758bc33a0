#include "creator/shell/PreviewFormHandlers.h"
#include "base/Rounding.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/MsgBox.h"
#include "forms/PictureBox.h"
#include "sheet/SkinSheetGeometry.h"

namespace qel::creator {

using namespace forms;

namespace {

// A sample icon is no larger than a skin sheet.
constexpr PictureBound kSampleIconBound{kMaxSheetSide, "a sample icon"};

// The colour of the form's kept drawing at a point; SheetImage::kOutside
// (CLR_INVALID) where the drawing has no pixel.
uint32_t ColourUnder(LivePreviewFrm& form, float x, float y) {
    return GetPixel(form.hDC(), RoundHalfEven(x), RoundHalfEven(y));
}

// A press on the bare form takes a pending pick: the back colours of the
// previews follow swatches 0 and 10.
void Form_MouseDown(MainFrm& main, LivePreviewFrm& form, float x, float y) {
    const auto swatch = main.ColorPick.Take(main.Document, ColourUnder(form, x, y));
    if (!swatch) return;
    main.ShowSwatch(*swatch);
    const std::vector<int> recoloured = PreviewsColouredBy(*swatch);
    for (int variant : recoloured)
        main.Frm[variant]->BackColor(main.Document.picColor(*swatch).backColor);
    if (!recoloured.empty()) main.RedrawPreviews();
    main.DisarmEyedropper();
}

// While a pick is pending the swatch follows the pointer; otherwise the
// preview's mock menu and buttons go back to their rest look.
void Form_MouseMove(MainFrm& main, LivePreviewFrm& form, float x, float y) {
    if (main.ColorPick.active) {
        main.ColorPick.Follow(main.Document, ColourUnder(form, x, y));
        main.ShowSwatch(main.ColorPick.index);
    } else {
        main.HoverReset(form.Variant());
    }
}

void Image2_Mouse(MainFrm& main, LivePreviewFrm& form, int index, bool press, int button) {
    if (const std::optional<int> state = MockButtonState(press, button))
        ShowMockButtons(
            main, form.Variant(),
            MockButtonPictures(main.Document, static_cast<CaptionButton>(index - 1), *state));
}

void ShowRestoreImage(LivePreviewFrm& form, bool restore) {
    form.Image2[2]->Visible(restore);
    form.Image2[3]->Visible(!restore);
}

// Restore and maximise swap on Frm1; on Frm3 they also switch Frm1's window
// state, which the previews are then drawn for.
void Image2_Click(MainFrm& main, LivePreviewFrm& form, int index) {
    if (index != 2 && index != 3) return;
    if (form.Variant() == 1) {
        ShowRestoreImage(form, !form.Image2[2]->Visible());
        return;
    }
    LivePreviewFrm& first = *main.Frm[1];
    const bool maximised = first.WindowState() == WindowState::Maximized;
    first.WindowState(maximised ? WindowState::Normal : WindowState::Maximized);
    ShowRestoreImage(form, !maximised);
    main.RedrawPreviews();
}

// Frm2's hover colour is its rest colour: the in-active preview shows none.
void Label2_MouseMove(MainFrm& main, LivePreviewFrm& form) {
    ShowMenuColour(main, form.Variant(),
                   form.Active() ? Swatch::MenuHighlight : MenuSwatch(form.Variant()));
}

// A new sample icon for all four previews. A file that is no icon ends the
// handler silently at the form being served.
void IcoImage_DblClick(MainFrm& main) {
    main.DisarmEyedropper();
    try {
        CommonDialog& dialog = main.CommonDialog1;
        dialog.DefaultExt("*.ico");
        dialog.Filter("Icon Files (*.ico)|*.ico");
        dialog.DialogTitle("Select New Icon");
        dialog.ShowOpen();
        const std::string file = dialog.FileName();
        if (file.empty()) return;
        std::string why;
        PictureProblem problem = PictureProblem::None;
        const Picture icon = LoadPictureFile(file, kSampleIconBound, &why, &problem);
        if (problem == PictureProblem::TooLarge) MsgBox(why, MB_ICONEXCLAMATION); // names the file
        if (!icon) return; // a file that is no picture: no message, as for piece graphics
        for (LivePreviewFrm* form : main.Frm)
            form->IcoImage->Picture(icon);
    } catch (const std::exception&) {
        // A dialog that failed: no message.
    }
}

void Connect(MainFrm& main, LivePreviewFrm& form) {
    form.OnMouseDown = [&main, &form](int, int, float x, float y) {
        Form_MouseDown(main, form, x, y);
    };
    form.OnMouseMove = [&main, &form](int, int, float x, float y) {
        Form_MouseMove(main, form, x, y);
    };
    form.IcoImage->OnDblClick = [&main] { IcoImage_DblClick(main); };
    if (form.Active())
        for (int k = 1; k <= kCaptionButtons; ++k) {
            Image& image = *form.Image2[k];
            image.OnMouseMove = [&main, &form, k](int button, int, float, float) {
                Image2_Mouse(main, form, k, false, button);
            };
            image.OnMouseDown = [&main, &form, k](int button, int, float, float) {
                Image2_Mouse(main, form, k, true, button);
            };
            image.OnClick = [&main, &form, k] { Image2_Click(main, form, k); };
        }
    if (form.WithMenu())
        form.Label2->OnMouseMove = [&main, &form](int, int, float, float) {
            Label2_MouseMove(main, form);
        };
    if (form.Variant() == 1) form.OnGotFocus = [&main] { SetFocus(main.hWnd()); };
}

} // namespace

void ConnectPreviewForms(MainFrm& main) {
    for (LivePreviewFrm* form : main.Frm) {
        // A form's controls are made anew at each load.
        form->OnLoad = [&main, form] { Connect(main, *form); };
        if (form->Loaded()) Connect(main, *form);
    }
}

void ShowMockButtons(MainFrm& main, int variant, const ButtonPictures& pictures) {
    LivePreviewFrm& form = *main.Frm[variant];
    for (int k = 0; k < kCaptionButtons; ++k) {
        if (!pictures[k]) continue;
        const Picture& picture = main.ButtonBox[k][pictures[k]]->Picture();
        if (form.Image2[k + 1]->Picture() != picture) form.Image2[k + 1]->Picture(picture);
    }
}

void ShowMenuColour(MainFrm& main, int variant, Swatch swatch) {
    Label& menu = *main.Frm[variant]->Label2;
    const OleColor colour = main.Document.picColor(swatch).backColor;
    if (menu.ForeColor() != colour) menu.ForeColor(colour);
}

} // namespace qel::creator
