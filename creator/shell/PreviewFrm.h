// The skin under test on real skinned forms: PreviewFrm with a sample menu bar,
// and Preview1, the same without menus, opened from it. Both read the preview
// file that the creator has just written.
#pragma once
#include "forms/Form.h"

namespace qel::forms {
class ActiveXControl;
class CheckBox;
class CommandButton;
class Menu;
} // namespace qel::forms

namespace qel::creator {

// What a preview shows besides the skin's name: the preview file (the skin
// sheet as a Windows bitmap) and the form icon chosen for the skin.
struct PreviewSource {
    std::string file;
    forms::Picture icon;
};

// What the two preview forms share: the caption, the icon, the skin from the
// preview file, the "Enabled" box and the exit button in the bottom-right corner.
class SkinPreviewForm : public forms::Form {
public:
    using Form::Form;

    forms::CheckBox* Check2 = nullptr;
    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

protected:
    // Skins the form from the source and shows it modally. A failure unloads the
    // form and is reported in a message; false then.
    bool Preview(const std::string& SkinNM, const PreviewSource& source);
    // The "Enabled" box, the exit button and the skin control; the caller places
    // its own controls first.
    void DesignCommon(float checkLeft, const char* exitName, forms::CommandButton*& exitButton,
                      float exitLeft, float exitTop);
};

// "Previewing <name>", with menus; the button "View No-Menu Form" opens Preview1.
class PreviewFrm : public SkinPreviewForm {
public:
    PreviewFrm() : SkinPreviewForm("PreviewFrm") {}

    // Returns when the form was closed; false when the preview failed (the
    // message was shown and the form is closed).
    bool DoPreview(std::string& SkinNM, const PreviewSource& source);

    forms::CommandButton* Command1 = nullptr; // "View No-Menu Form"
    forms::CommandButton* Command2 = nullptr; // "Exit Form"
    forms::Menu* mnuFile = nullptr;
    forms::Menu* mnuHelp = nullptr;

protected:
    void Design() override;

private:
    std::string skinName_;
    PreviewSource source_;
};

// The preview without menus.
class Preview1 : public SkinPreviewForm {
public:
    Preview1() : SkinPreviewForm("Preview1") {}

    bool DoPreview1(std::string& SkinNM, const PreviewSource& source);

    forms::CommandButton* Command1 = nullptr; // "Exit Form"

protected:
    void Design() override;
};

} // namespace qel::creator
