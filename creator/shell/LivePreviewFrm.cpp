#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/PreviewArt.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/RuntimeError.h"

namespace qel::creator {

using namespace forms;

LivePreviewFrm::LivePreviewFrm(int variant)
    : Form("Frm" + std::to_string(variant)), variant_(variant) {}

void LivePreviewFrm::Design() {
    constexpr OleColor kInactiveText = 0x00808080;
    Border(BorderStyle::None);
    ClientSize(4680, 3090);
    ScaleMode(Scale::Pixels);
    AutoRedraw(true);
    BackColor(0x00E0E0E0);
    MouseIcon(CrosshairPointer());

    IcoImage = Add<Image>("IcoImage", 5, 5, 16, 16);
    IcoImage->Stretch(true);
    IcoImage->Picture(SampleIcon());
    IcoImage->Visible(false);
    Image1 = Add<Image>("Image1", 0, 0, 21, 21);
    Image1->Bordered(true);
    Image1->Visible(false);
    Image2[1] = Add<Image>("Image2(1)", 285, 5, 16, 16);
    Image2[2] = Add<Image>("Image2(2)", 265, 25, 16, 16);
    Image2[2]->Visible(false);
    Image2[3] = Add<Image>("Image2(3)", 265, 5, 16, 16);
    Image2[4] = Add<Image>("Image2(4)", 245, 5, 16, 16);

    Label1 = Add<Label>("Label1", 25, 5, Active() ? 141 : 117, 13);
    Label1->Caption("Vantreo Skin Control");
    if (Active())
        Label1->Bold(true);
    else
        Label1->ForeColor(kInactiveText);
    if (WithMenu()) {
        Label2 = Add<Label>("Label2", 25, 20, 97, 13);
        Label2->Caption("File  Edit  View  Help");
        Label2->ForeColor(Active() ? kWindowText : kInactiveText);
    }
    Label3 = Add<Label>("Label3", 130, 90, 48, 13);
    Label3->Caption("Text Color");
    // The samples show the caption graphic and the body behind their text.
    for (Label* sample : {Label1, Label2, Label3})
        if (sample) sample->Transparent(true);
}

LivePreviewFrm& Frm(int variant) {
    static LivePreviewFrm previews[] = {LivePreviewFrm(1), LivePreviewFrm(2), LivePreviewFrm(3),
                                        LivePreviewFrm(4)};
    if (variant < 1 || variant > 4)
        throw RuntimeError(kInvalidArrayIndex, "Subscript out of range");
    return previews[variant - 1];
}

} // namespace qel::creator
