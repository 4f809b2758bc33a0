#include "demo/SizeFrm.h"
#include "programs/SkinControlSource.h"
#include "forms/ActiveXControl.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/Menu.h"
#include "forms/PictureBox.h"
#include "forms/PropertyBag.h"

namespace qel::demo {

using namespace forms;

void SizeFrm::Design() {
    Caption("Qel Skin Sample - Sizable Form");
    ClientSize(7095, 3945);
    StartUp(StartUpPosition::CenterOwner);

    Picture1 = Add<PictureBox>("Picture1", 0, 0, 7095, 390);
    Picture1->AlignMode(Align::Top);
    Picture1->BackColor(0x80000005); // the system window colour
    Picture1->ForeColor(0x80000008); // and window text
    Label1 = Picture1->Add<Label>("Label1", 2475, 75, 3210, 195);
    Label1->Caption("Works with aligned controls and form menus");
    Picture2 = Add<PictureBox>("Picture2", 0, 390, 345, 3555);
    Picture2->AlignMode(Align::Left);
    Picture2->BackColor(0x80000005);
    Picture2->ForeColor(0x80000008);
    Frame1 = Add<Frame>("Frame1", 450, 525, 2715, 1215);
    Frame1->Caption("Resize Me");
    Label2 = Frame1->Add<Label>("Label2", 375, 375, 2040, 690);
    Label2->Caption("The Max and Min Widths have been set using the Qel Skin Control");
    Check2 = Add<CheckBox>("Check2", 1050, 1875, 1365, 195);
    Check2->Caption("Skin Enabled");
    Check2->Value(1);
    Check2->OnClick = [this] {
        Qel_SkinCtrl1->Call(Check2->Value() == 0 ? L"DeactivateSkin" : L"ActivateSkin");
    };
    Command1 = Add<CommandButton>("Command1", 5775, 3300, 1215, 540);
    Command1->Caption("Exit");
    Command1->OnClick = [this] { Unload(); };

    Menu* mnuFile = AddMenu("mnuFile", "&File");
    mnuFile->Add("mnuNew", "&New");
    mnuFile->Add("mnuOpen", "&Open");
    mnuFile->Add("spc1", "-");
    mnuFile->Add("mnuExit", "E&xit");

    Qel_SkinCtrl1 = AddActiveX("Qel_SkinCtrl1", SkinControlSource(),
                               PropertyBag::With({{L"FormMaxWidth", 10000},
                                                  {L"FormMinWidth", 4700},
                                                  {L"FormMaxHeight", 9000},
                                                  {L"FormMinHeight", 3200}})
                                   .get());
    Qel_SkinCtrl1->On(L"Resize", [this](EventArgs&) { Qel_SkinCtrl1_Resize(); });

    OnLoad = [this] {
        Qel_SkinCtrl1->Call(L"ActivateSkin");
        // These hold from the next activation on (the control hands its limits
        // to the frame when the skin is applied).
        Qel_SkinCtrl1->Let(L"FormMaxHeight", 8000);
        Qel_SkinCtrl1->Let(L"FormMaxWidth", 14000);
        Qel_SkinCtrl1->Let(L"FormMinHeight", 4000);
        Qel_SkinCtrl1->Let(L"FormMinWidth", 4000);
    };
}

void SizeFrm::Qel_SkinCtrl1_Resize() {
    if (WindowState() == forms::WindowState::Minimized) return;
    Label1->Left((Picture1->Width() - Label1->Width()) / 2);
    Command1->Top(ScaleHeight() - Command1->Height() - 150);
    Command1->Left(ScaleWidth() - Command1->Width() - 150);
}

} // namespace qel::demo
