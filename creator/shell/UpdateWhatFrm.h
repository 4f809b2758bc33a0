// "Update Which Images": which of the four variants receive a graphic picked
// for a piece, and whether a bottom corner also fills the other kind of corner.
#pragma once
#include "forms/Form.h"

namespace qel::forms {
class ActiveXControl;
class CheckBox;
class CommandButton;
class Frame;
} // namespace qel::forms

namespace qel::creator {

class UpdateWhatFrm : public forms::Form {
public:
    UpdateWhatFrm() : Form("UpdateWhatFrm") {}

    // Shows the dialog modally. In: argument k proposes variant k (ticks its
    // box); BtmCorner is the corner kind (0 none, 1 fixed, 2 or more sizable).
    // Out: the boxes in their own order, variants 1, 3, 2, 4, and BtmCorner 0 or
    // the corner box's value. True when "Update" was pressed with a box ticked.
    // Closed by its close box the dialog answers as "Cancel" with nothing
    // ticked. The caller unloads the form afterwards.
    bool SelectFrms(bool& DoFrm1, bool& DoFrm2, bool& DoFrm3, bool& DoFrm4, short& BtmCorner);

    forms::Frame* Frame1 = nullptr;
    forms::Frame* Frame2 = nullptr;
    forms::CheckBox* Check1 = nullptr; // "Active Skin" / "With Menu": variant 1
    forms::CheckBox* Check2 = nullptr; // "Active Skin" / "No Menu": variant 3
    forms::CheckBox* Check3 = nullptr; // "In-Active Skin" / "With Menu": variant 2
    forms::CheckBox* Check4 = nullptr; // "In-Active Skin" / "No Menu": variant 4
    forms::CheckBox* Check5 = nullptr; // the corner box; its Tag holds the corner kind
    forms::CommandButton* Command1 = nullptr;
    forms::CommandButton* Command2 = nullptr;
    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

protected:
    void Design() override;

private:
    bool AnyTicked() const;
    // The corner box is offered while a variant box is ticked and the piece is a corner.
    void ApplyCornerRule();
};

} // namespace qel::creator
