#include "creator/shell/UpdateWhatFrm.h"
#include "creator/shell/CreatorSkin.h"
#include "forms/ActiveXControl.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Frame.h"
#include "base/Val.h"

namespace qel::creator {

using namespace forms;

void UpdateWhatFrm::Design() {
    Caption("Update Which Images");
    Border(BorderStyle::FixedDialog);
    ClientSize(2895, 3975);
    StartUp(StartUpPosition::CenterOwner);

    Frame1 = Add<Frame>("Frame1", 300, 225, 2340, 1140);
    Frame1->Caption("Active Skin");
    Check1 = Frame1->Add<CheckBox>("Check1", 450, 375, 1215, 195);
    Check1->Caption("With Menu");
    Check2 = Frame1->Add<CheckBox>("Check2", 450, 750, 1440, 195);
    Check2->Caption("No Menu");
    Frame2 = Add<Frame>("Frame2", 300, 1500, 2340, 1140);
    Frame2->Caption("In-Active Skin");
    Check3 = Frame2->Add<CheckBox>("Check3", 525, 375, 1140, 195);
    Check3->Caption("With Menu");
    Check4 = Frame2->Add<CheckBox>("Check4", 525, 750, 1365, 195);
    Check4->Caption("No Menu");
    Check5 = Add<CheckBox>("Check5", 825, 2925, 1440, 195);
    Check5->Caption("Sizable Corners");
    Check5->Tag("0");
    Command1 = Add<CommandButton>("Command1", 300, 3450, 1065, 390);
    Command1->Caption("Update");
    Command2 = Add<CommandButton>("Command2", 1575, 3450, 1065, 390);
    Command2->Caption("Cancel");

    for (CheckBox* box : {Check1, Check2, Check3, Check4})
        box->OnClick = [this] { ApplyCornerRule(); };
    Command1->OnClick = [this] {
        Tag("-1");
        Hide();
    };
    Command2->OnClick = [this] {
        Tag("0");
        Hide();
    };

    Qel_SkinCtrl1 = AddCreatorSkinControl(*this);
    OnLoad = [this] { Qel_SkinCtrl1->Call(L"ActivateSkin"); };
}

bool UpdateWhatFrm::AnyTicked() const {
    return Check1->Value() == 1 || Check2->Value() == 1 || Check3->Value() == 1 ||
           Check4->Value() == 1;
}

void UpdateWhatFrm::ApplyCornerRule() {
    Check5->Enabled(AnyTicked() && Val(Check5->Tag()) > 0);
}

bool UpdateWhatFrm::SelectFrms(bool& DoFrm1, bool& DoFrm2, bool& DoFrm3, bool& DoFrm4,
                               short& BtmCorner) {
    if (!Loaded()) Load();
    Tag("0");
    Check5->Tag(std::to_string(BtmCorner));
    if (BtmCorner < 1) {
        Check5->Enabled(false);
    } else {
        Check5->Caption(BtmCorner == 1 ? "Sizable Corners" : "Fixed Corners");
        Check5->Enabled(DoFrm1 || DoFrm2 || DoFrm3 || DoFrm4);
    }
    // Argument k proposes variant k; the boxes stand in the order 1, 3, 2, 4.
    if (DoFrm1) Check1->Value(1);
    if (DoFrm2) Check3->Value(1);
    if (DoFrm3) Check2->Value(1);
    if (DoFrm4) Check4->Value(1);

    Show(ShowMode::Modal);

    // Closed by its close box: the dialog is gone, and its answer is "Cancel"
    // with nothing ticked (reading the boxes would load a fresh dialog).
    if (!Loaded()) {
        DoFrm1 = DoFrm2 = DoFrm3 = DoFrm4 = false;
        BtmCorner = 0;
        return false;
    }
    DoFrm1 = Check1->Value() != 0;
    DoFrm2 = Check2->Value() != 0;
    DoFrm3 = Check3->Value() != 0;
    DoFrm4 = Check4->Value() != 0;
    BtmCorner = AnyTicked() ? Check5->Value() : 0;
    if (!(DoFrm1 || DoFrm2 || DoFrm3 || DoFrm4)) Tag("0");
    return Val(Tag()) != 0;
}

} // namespace qel::creator
