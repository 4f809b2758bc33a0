// A sample form showing which controls the skin recolours by itself, and a text
// box and a list box recoloured by the form on the skin's focus changes.
#pragma once
#include "forms/Form.h"

namespace qel::forms {
class ActiveXControl;
class CheckBox;
class Frame;
class Label;
class Line;
class ListBox;
class OptionButton;
class PictureBox;
class TextBox;
} // namespace qel::forms

namespace qel::demo {

class CtrlColorFrm : public forms::Form {
public:
    CtrlColorFrm() : Form("CtrlColorFrm") {}

    forms::PictureBox* Picture2 = nullptr;
    forms::Label* Label5 = nullptr;
    forms::CheckBox* Check2 = nullptr;
    forms::Frame* Frame1 = nullptr;
    forms::PictureBox* Picture1 = nullptr;
    forms::CheckBox* Check1 = nullptr;
    forms::OptionButton* Option1 = nullptr;
    forms::Line* Line1 = nullptr;
    forms::Label* Label3 = nullptr;
    forms::TextBox* Text1 = nullptr;
    forms::ListBox* List1 = nullptr;
    forms::Label* Label1 = nullptr;
    forms::Label* Label2 = nullptr;
    forms::Label* Label4 = nullptr;
    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

protected:
    void Design() override;
};

} // namespace qel::demo
