// The showcase's main form: chooses a built-in skin or a GIF skin from the
// "Skins" folder beside the program, switches the skin, the form icon and the
// form's menu, and opens the sample forms.
#pragma once
#include "forms/Form.h"

#include <string>

namespace qel::forms {
class ActiveXControl;
class CheckBox;
class CommandButton;
class FileListBox;
class Label;
class ListBox;
class Menu;
} // namespace qel::forms

namespace qel::demo {

class MainFrm : public forms::Form {
public:
    MainFrm() : Form("MainFrm") {}

    forms::Label* Label1 = nullptr;
    forms::ListBox* List1 = nullptr;
    forms::Label* Label2 = nullptr;
    forms::ListBox* List2 = nullptr;
    forms::CheckBox* Check2 = nullptr;
    forms::Label* Label3 = nullptr;
    forms::CheckBox* Check1 = nullptr;
    forms::CommandButton* Command3 = nullptr;
    forms::CommandButton* Command2 = nullptr;
    forms::CheckBox* Check3 = nullptr;
    forms::CommandButton* Command1 = nullptr;
    forms::FileListBox* File1 = nullptr;
    forms::Menu* mnuFile = nullptr;
    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

    // The program's folder, ending in "\".
    const std::string& AppFolder() const { return AppFolder_; }

protected:
    void Design() override;

private:
    void Form_Load();
    void List1_Click();
    void List2_Click();
    void ShowIconIndication();

    std::string AppFolder_;
};

} // namespace qel::demo
