// The skin creator's main window: its loading starts the program. It holds the
// skin being edited (Document), shows it on its tab pages, option panel,
// swatches and caption-button grid, embeds the four live preview forms
// Frm1 to Frm4 in its preview boxes, and gives the commands of its menu bar.
// The controls show the document; every handler that edits the skin writes
// the document and its control together.
#pragma once
#include "creator/editor/ColourPick.h"
#include "creator/shell/SkinDocument.h"
#include "forms/CommonDialog.h"
#include "forms/Form.h"

#include <array>
#include <functional>
#include <string>

namespace qel::forms {
class ActiveXControl;
class CheckBox;
class CommandButton;
class ElasticPanel;
class Frame;
class Label;
class ListBox;
class Menu;
class PictureBox;
class TabControl;
class TextBox;
} // namespace qel::forms

namespace qel::creator {

class LivePreviewFrm;

class MainFrm : public forms::Form {
public:
    MainFrm() : Form("MainFrm") {}

    // The skin being edited.
    SkinDocument Document;
    // The eyedropper (ColorPickActive, ColorPickIndex): when armed, the next
    // press on a preview form picks a colour into its swatch.
    ColourPick ColorPick;
    // The program's folder with a final "\": the base of "Skins\" and "Preview.skn".
    std::string ProgramFolder;

    // The live preview forms of variants 1 to 4 (Frm1 to Frm4).
    PerVariant<LivePreviewFrm*> Frm{};

    forms::TabControl *C1Tab1 = nullptr, *C1Tab2 = nullptr, *C1Tab3 = nullptr;
    std::array<forms::ElasticPanel*, 7> C1Elastic{}; // C1Elastic1 to C1Elastic7
    // Preview boxes: Picture1 hosts Frm1, Picture2 Frm3, Picture3 Frm2, Picture4 Frm4.
    std::array<forms::PictureBox*, 4> Picture{};
    std::array<forms::Label*, 4> Label25{};
    PerVariant<forms::ListBox*> List{}; // List N holds the piece flags of variant N
    PerSwatch<forms::PictureBox*> picColor{};
    NumberedArray<forms::CommandButton*, 1, 8> Command{}; // the eyedroppers Command1 to Command8
    PerOption<forms::CheckBox*> Check{};
    PerField<forms::TextBox*> Text{};
    PerField<forms::Label*> TextLabel{}; // each field's label
    // Caption-button boxes [button][state] (Close, Restore, Max, Min) and
    // their frames Picture10 to Picture13.
    std::array<PerButtonState<forms::PictureBox*>, kCaptionButtons> ButtonBox{};
    std::array<PerButtonState<forms::PictureBox*>, kCaptionButtons> ButtonFrame{};
    forms::CommonDialog CommonDialog1;
    forms::Menu *mnuFile = nullptr, *mnuCreate = nullptr, *mnuLoad = nullptr, *mnuBMP = nullptr,
                *mnuSave = nullptr, *mnuExit = nullptr;
    forms::Menu *mnuView = nullptr, *mnuPreview = nullptr, *mnuGraphicSize = nullptr;
    forms::Menu *mnuHelp = nullptr, *mnuHomePage = nullptr, *mnuTechSupport = nullptr;
    forms::ActiveXControl* Qel_SkinCtrl1 = nullptr;

    // Recomposes the four previews (DoBorders) and refreshes Frm1 to Frm4.
    void RedrawPreviews();
    // Shows the document's swatch k (its colour and reset colour) on picColor(k).
    void ShowSwatch(Swatch k);
    // Shows the document's piece flags as the lists' ItemData.
    void ShowPieceFlags();
    // Starts an eyedropper pick of swatch k: the previews show the cross-hair.
    void ArmEyedropper(Swatch k);
    // Ends a pending eyedropper pick: the previews show the arrow again.
    void DisarmEyedropper();
    // The rest look of the preview of `variant`: its mock menu's colour and its
    // caption-button images.
    void HoverReset(int variant);
    // Empties the piece and caption-button graphics (the button boxes back to
    // their design size, centred), resets the swatches to their reset colours,
    // reloads the four previews blank and clears SkinModified. Flags, Tags,
    // number fields and check boxes stay.
    void ClearSkinPieces();
    // The addresses the help menu opens.
    static const char* const kHomePage;
    static const char* const kTechSupport;

protected:
    void Design() override;

private:
    void DesignActivePage();
    void DesignInActivePage();
    void DesignButtonsPage();
    void DesignOptionPanel();
    // One inner page: its preview box, its list and hint, its caption-top field.
    void DesignVariantPage(forms::TabControl& tab, int page, int box, forms::ElasticPanel*& panel,
                           const char* panelName);
    // A swatch under its label, with the "..." button CommandN beside it unless
    // `eyedropper` is 0, on `panel` at (left, top).
    void DesignSwatch(forms::Container& panel, Swatch k, const char* labelName, float left,
                      float top, int eyedropper, float labelWidth = 2400);
    // A label that shows its container's background.
    forms::Label* AddLabel(forms::Container& panel, const std::string& name, float left, float top,
                           float width, const std::string& caption);
    // A number field with its label on `panel`.
    void DesignNumber(forms::Container& panel, Field n, const char* labelName, const char* caption,
                      float left, float top);
    void EnableField(Field n, bool on);
    void DesignMenus();

    void Form_Load();
    // Shows Frm1 to Frm4 inside their preview boxes, centred.
    void EmbedPreviews();
    void ShowChecksOnPreviews();
    void ReloadPreviews();
    void Form_Activate();
    void Form_QueryUnload(int& cancel);
    void Form_Unload();

    void CheckClick(Option n);
    void NumberKeyPress(Field n, int& keyAscii);
    void SelectAll(Field n);
    void NumberChange(Field n);
    void ShowPickPointer();
    void picColor_Click(Swatch k);
    // Gives the previews swatch k's colour where they show it: the back colour
    // of their forms, their sample caption, mock menu or text.
    void ShowSwatchOnPreviews(Swatch k);
    void PictureDblClick(int box);
    void C1Tab1_Change();

    // Runs a save, preview, load, new or close unless one is running (then it
    // is ignored); while it runs, the creator's message pumping takes no input,
    // so that no command or edit lands in the middle of it.
    void RunSkinCommand(const std::function<void()>& command);
    bool skinCommandRunning_ = false;

    // Asks the save prompt `prompt` while the skin is modified: true to go on
    // (No, or Yes and the skin was saved), false to stop (Cancel, or a save that
    // did not happen).
    bool SaveChangesFirst(const std::string& prompt);
    void mnuCreate_Click();
    void mnuLoad_Click();
    // Shows every control of the document, and its colours on the previews
    // (after a load).
    void ShowDocument();
};

} // namespace qel::creator
