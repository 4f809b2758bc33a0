// A sizable sample form: size limits set through the skin control, panels
// aligned to its edges, a frame, a menu bar, and an "Exit" button kept in the
// corner when the skin reports a resize.
#pragma once
#include "forms/Form.h"

namespace qel::forms {
class ActiveXControl;
class CheckBox;
class CommandButton;
class Frame;
class Label;
class PictureBox;
} // namespace qel::forms

namespace qel::demo {

class SizeFrm : public forms::Form {
public:
    SizeFrm() : Form("SizeFrm") {}

    forms::PictureBox* Picture1 = nullptr;
    forms::Label* Label1 = nullptr;
    forms::PictureBox* Picture2 = nullptr;
    forms::Frame* Frame1 = nullptr;
    forms::Label* Label2 = nullptr;
    forms::CheckBox* Check2 = nullptr;
    forms::CommandButton* Command1 = nullptr;
    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

protected:
    void Design() override;

private:
    void Qel_SkinCtrl1_Resize();
};

} // namespace qel::demo
