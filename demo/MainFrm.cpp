#include "demo/MainFrm.h"
#include "demo/CleanFrm.h"
#include "demo/CtrlColorFrm.h"
#include "demo/SizeFrm.h"
#include "programs/SkinControlSource.h"
#include "forms/ActiveXControl.h"
#include "forms/App.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/FileListBox.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/MsgBox.h"
#include "forms/PropertyBag.h"
#include "forms/RuntimeError.h"
#include "sheet/SkinSheetGeometry.h"

namespace qel::demo {

using namespace forms;

void MainFrm::Design() {
    Caption("Qel Skin Sample");
    Border(BorderStyle::FixedDialog);
    ClientSize(5565, 3015);
    StartUp(StartUpPosition::CenterScreen);

    Label1 = Add<Label>("Label1", 2400, 225, 1005, 195);
    Label1->Caption("Internal Skins:");
    List1 = Add<ListBox>("List1", 2400, 450, 990, 1200);
    List1->OnClick = [this] { List1_Click(); };
    Label2 = Add<Label>("Label2", 3525, 225, 1050, 195);
    Label2->Caption("External Skins:");
    List2 = Add<ListBox>("List2", 3525, 450, 1815, 2370);
    List2->OnClick = [this] { List2_Click(); };
    Check2 = Add<CheckBox>("Check2", 375, 450, 1440, 195);
    Check2->Caption("Skin Enabled");
    Check2->Value(1);
    Check2->OnClick = [this] {
        Qel_SkinCtrl1->Call(Check2->Value() == 0 ? L"DeactivateSkin" : L"ActivateSkin");
    };
    Label3 = Add<Label>("Label3", 150, 975, 1725, 195);
    Label3->Caption("Skin Allows Icon = False");
    Check1 = Add<CheckBox>("Check1", 375, 1275, 1590, 195);
    Check1->Caption("Show Form Icon");
    Check1->Value(1);
    Check1->OnClick = [this] { Qel_SkinCtrl1->Let(L"ShowIcon", Check1->Value() != 0); };
    Command3 = Add<CommandButton>("Command3", 225, 1800, 1665, 465);
    Command3->Caption("Show Control Form");
    Command3->OnClick = [] { forms::Default<CtrlColorFrm>().Show(); };
    Command2 = Add<CommandButton>("Command2", 225, 2400, 1665, 465);
    Command2->Caption("Show Sizable Form");
    Command2->OnClick = [this] { forms::Default<SizeFrm>().Show(ShowMode::Modal, this); };
    Check3 = Add<CheckBox>("Check3", 2175, 1875, 1215, 195);
    Check3->Caption("Check3");
    Check3->OnClick = [this] { mnuFile->Visible(Check3->Value() != 0); };
    Command1 = Add<CommandButton>("Command1", 2175, 2400, 990, 465);
    Command1->Caption("Form Menus");
    Command1->OnClick = [] { forms::Default<CleanFrm>().Show(); };
    File1 = Add<FileListBox>("File1", 5625, 2925, 540, 480);
    File1->Pattern("*.gif");

    mnuFile = AddMenu("mnuFile", "&File");
    mnuFile->Add("mnuTest", "Test");
    mnuFile->Visible(false);

    Qel_SkinCtrl1 = AddActiveX(
        "Qel_SkinCtrl1", SkinControlSource(),
        PropertyBag::With({{L"SaveSkinToRegistry", true}, {L"LoadSkinFromRegistry", false}}).get());
    OnLoad = [this] { Form_Load(); };
}

void MainFrm::Form_Load() {
    AppFolder_ = App::Path();
    if (AppFolder_.empty() || AppFolder_.back() != '\\') AppFolder_ += '\\';

    const char* names[] = {"Light Blue", "Dark Blue", "Green", "Ruby Red", "Purple", "Grey"};
    for (long i = 0; i < 6; ++i) {
        List1->AddItem(names[i]);
        List1->ItemData(List1->ListCount() - 1, i + 1);
    }

    // Without a "Skins" folder the external list stays empty; the built-in skins
    // are there all the same.
    try {
        File1->Path(AppFolder_ + "Skins");
        File1->Refresh();
        for (long i = 0; i < File1->ListCount(); ++i) {
            const std::string file = File1->List(i);
            List2->AddItem(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0));
        }
    } catch (const RuntimeError&) {
    }

    Qel_SkinCtrl1->Call(L"ActivateSkin");
    List1->ListIndex(0);
}

void MainFrm::List1_Click() {
    if (List1->ListIndex() == -1) return;
    List2->ListIndex(-1);
    Qel_SkinCtrl1->Let(L"Skin", List1->ItemData(List1->ListIndex()));
    ShowIconIndication();
}

// An external skin that cannot be loaded, or that is no skin picture, is named
// in a message; the form goes on with the skin it has.
void MainFrm::List2_Click() {
    if (List2->ListIndex() == -1) return;
    List1->ListIndex(-1);
    const std::string name = List2->Text() + ".gif";
    Picture picture;
    try {
        picture = LoadPicture(AppFolder_ + "Skins\\" + name, kSheetPictureBound);
    } catch (const RuntimeError& e) {
        MsgBox("The skin \"" + name + "\" cannot be loaded: " + e.what(), MB_ICONEXCLAMATION);
    }
    if (picture) {
        Qel_SkinCtrl1->Set(L"SkinPicture", Variant(picture.get()));
        Variant taken = Qel_SkinCtrl1->Call(L"SkinPicture");
        if (taken.type() != VT_DISPATCH || V_DISPATCH(&taken.get()) != picture.get())
            MsgBox("The picture \"" + name + "\" is not a skin.", MB_ICONEXCLAMATION);
    }
    ShowIconIndication();
}

void MainFrm::ShowIconIndication() {
    const bool allows = ValueOf<bool>(Qel_SkinCtrl1->Call(L"SkinAllowsIcon"));
    Label3->Caption(allows ? "Skin Allows Icon = True" : "Skin Allows Icon = False");
    Check1->Enabled(allows);
}

} // namespace qel::demo
