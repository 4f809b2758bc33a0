#include "demo/CtrlColorFrm.h"
#include "programs/SkinControlSource.h"
#include "forms/ActiveXControl.h"
#include "forms/CheckBox.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"
#include "forms/PropertyBag.h"
#include "forms/TextBox.h"

namespace qel::demo {

using namespace forms;

void CtrlColorFrm::Design() {
    Caption("Qel Skin Control - Control Color Demo");
    Border(BorderStyle::FixedDialog);
    ClientSize(7425, 3375);
    StartUp(StartUpPosition::CenterOwner);

    Picture2 = Add<PictureBox>("Picture2", 0, 0, 7425, 390);
    Picture2->AlignMode(Align::Top);
    Label5 = Picture2->Add<Label>("Label5", 2475, 75, 2115, 195);
    Label5->Caption("It Works with Aligned Controls");
    Check2 = Add<CheckBox>("Check2", 600, 600, 1665, 195);
    Check2->Caption("Skin Enabled");
    Check2->Value(1);
    Check2->OnClick = [this] {
        Qel_SkinCtrl1->Call(Check2->Value() == 0 ? L"DeactivateSkin" : L"ActivateSkin");
    };
    Frame1 = Add<Frame>("Frame1", 2700, 675, 1365, 690);
    Frame1->Caption("Frame1");
    Picture1 = Add<PictureBox>("Picture1", 2700, 1500, 1365, 840);
    Check1 = Add<CheckBox>("Check1", 2775, 2550, 1065, 195);
    Check1->Caption("Check1");
    Option1 = Add<OptionButton>("Option1", 2775, 2925, 990, 195);
    Option1->Caption("Option1");
    Line1 = AddLine("Line1", 4350, 600, 4350, 3000);
    Label3 = Add<Label>("Label3", 4650, 675, 2190, 465);
    Label3->Caption("Manually Changed using Focus Change Event");
    Text1 = Add<TextBox>("Text1", 4650, 1350, 2415, 285);
    Text1->Text("Text1");
    List1 = Add<ListBox>("List1", 4650, 1800, 915, 1230);
    Label1 = Add<Label>("Label1", 300, 975, 1890, 915);
    Label1->Caption("Most controls will automatically change color to corrospond to the color "
                    "settings of the Skin.");
    Label2 = Add<Label>("Label2", 225, 2025, 2115, 1290);
    Label2->Caption("In the event that a controls color do not automatically change, the Skin "
                    "Control has a 'Focus Change' event that fires when the Form Looses and Gains "
                    "Focus");
    Label4 = Add<Label>("Label4", 5700, 1875, 1515, 990);
    Label4->Caption("NOTE: All Controls on the form are automatically repositioned to allow for "
                    "the Skin Borders");

    Qel_SkinCtrl1 = AddActiveX("Qel_SkinCtrl1", SkinControlSource(),
                               PropertyBag::With({{L"FormMaxWidth", 10000},
                                                  {L"FormMinWidth", 5000},
                                                  {L"FormMaxHeight", 9000},
                                                  {L"FormMinHeight", 2000}})
                                   .get());
    // Text boxes and list boxes are not among what the skin recolours: the form
    // colours them itself, green while it has the focus and red while not.
    Qel_SkinCtrl1->On(L"FocusChange", [this](EventArgs& e) {
        const OleColor colour = ValueOf<bool>(e.Value(0)) ? 0x0000FF00 : 0x000000FF;
        Text1->BackColor(colour);
        List1->BackColor(colour);
    });
    OnLoad = [this] { Qel_SkinCtrl1->Call(L"ActivateSkin"); };
}

} // namespace qel::demo
