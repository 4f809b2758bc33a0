#include "creator/shell/MainFrm.h"
#include "base/FileHelpers.h"
#include "base/MessagePump.h"
#include "base/ReentryGuard.h"
#include "programs/SkinControlSource.h"
#include "sheet/win32/SheetPicture.h"
#include "creator/editor/MockCaptionButtons.h"
#include "creator/shell/ButtonGraphics.h"
#include "creator/sheet/SkinSheetMapping.h"
#include "creator/shell/CreatorServices.h"
#include "creator/shell/CreatorSettings.h"
#include "creator/shell/CreatorSkin.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/PieceListHandlers.h"
#include "creator/shell/PreviewFormHandlers.h"
#include "creator/shell/mGlobal.h"
#include "forms/ActiveXControl.h"
#include "forms/App.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/ElasticPanel.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/MsgBox.h"
#include "forms/PictureBox.h"
#include "forms/PropertyBag.h"
#include "forms/RuntimeError.h"
#include "forms/Settings.h"
#include "forms/Shell.h"
#include "forms/TabControl.h"
#include "forms/TextBox.h"
#include "sheet/SkinSheetGeometry.h"

#include <optional>

namespace qel::creator {

using namespace forms;

namespace {

// Swatch k's label caption.
constexpr PerSwatch<const char*> kSwatchCaptions{
    {"Active Form Back Color", "Neutral Color", "Active Caption Color", "In-Active Caption Color",
     "Active Menu Color", "In-Active Menu Color", "Menu Highlight Color", "Menu Background Color",
     "Empty Color", "Form Text Color", "In-Active Form Back Color"}};

constexpr float kPreviewWidth = 5790, kPreviewHeight = 5190;

std::string Index(const std::string& name, int i) {
    return name + "(" + std::to_string(i) + ")";
}

} // namespace

const char* const MainFrm::kHomePage = "http://www.vantreo.com/";
const char* const MainFrm::kTechSupport = "http://www.vantreo.com/support/";

// ---- Design ----

void MainFrm::Design() {
    Document = SkinDocument();
    ColorPick = ColourPick();
    Caption("Vantreo Skin Creator - New Skin");
    Border(BorderStyle::FixedDialog);
    ClientSize(12660, 7740);
    StartUp(StartUpPosition::CenterScreen);

    C1Tab1 = Add<TabControl>("C1Tab1", 120, 120, 8940, 7500);
    C1Tab1->Caption("Active Skin|In-Active Skin|Buttons");
    C1Tab1->OnChange = [this] { C1Tab1_Change(); };
    DesignActivePage();
    DesignInActivePage();
    DesignButtonsPage();
    DesignOptionPanel();
    DesignMenus();

    // Document state the design does not show elsewhere.
    Check[Option::DrawCaption]->Value(Document.CheckValue(Option::DrawCaption));

    // The swatches hold the document's colours: no recolouring on focus.
    ComPtr<PropertyBag> skin = CreatorSkinProperties();
    skin->Value(L"ChangeControlColor", false);
    Qel_SkinCtrl1 = AddActiveX("Qel_SkinCtrl1", SkinControlSource(), skin.get());
    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnQueryUnload = [this](int& cancel, UnloadMode) { Form_QueryUnload(cancel); };
    OnUnload = [this](int&) { Form_Unload(); };
}

void MainFrm::DesignActivePage() {
    TabPage& page = C1Tab1->Page(0);
    C1Elastic[0] = page.Add<ElasticPanel>("C1Elastic1", 60, 60, 8700, 600);
    DesignSwatch(*C1Elastic[0], Swatch::ActiveFormBack, "Label1", 0, 30, 2);
    DesignSwatch(*C1Elastic[0], Swatch::ActiveCaption, "Label2(1)", 4200, 30, 5);
    C1Tab2 = page.Add<TabControl>("C1Tab2", 60, 720, 8700, 6120);
    C1Tab2->Caption(VariantName(1) + "|" + VariantName(3));
    DesignVariantPage(*C1Tab2, 0, 0, C1Elastic[3], "C1Elastic4");
    DesignNumber(*C1Elastic[3], Field::CaptionTopWithMenu, "Label6", "Caption Top with Menu:", 0,
                 3000);
    DesignSwatch(*C1Elastic[3], Swatch::ActiveMenu, "Label2(3)", 0, 3420, 1);
    DesignSwatch(*C1Elastic[3], Swatch::MenuHighlight, "Label2(5)", 0, 3990, 3);
    DesignSwatch(*C1Elastic[3], Swatch::MenuBackground, "Label2(6)", 0, 4560, 4);
    DesignVariantPage(*C1Tab2, 1, 1, C1Elastic[4], "C1Elastic5");
    DesignNumber(*C1Elastic[4], Field::CaptionTopNoMenu, "Label14", "Caption Top with No Menu:", 0,
                 3000);
}

void MainFrm::DesignInActivePage() {
    TabPage& page = C1Tab1->Page(1);
    C1Elastic[1] = page.Add<ElasticPanel>("C1Elastic2", 60, 60, 8700, 600);
    DesignSwatch(*C1Elastic[1], Swatch::InactiveCaption, "Label2(2)", 0, 30, 6);
    DesignSwatch(*C1Elastic[1], Swatch::InactiveFormBack, "Label13", 4200, 30, 8);
    C1Tab3 = page.Add<TabControl>("C1Tab3", 60, 720, 8700, 6120);
    C1Tab3->Caption(VariantName(2) + "|" + VariantName(4));
    DesignVariantPage(*C1Tab3, 0, 2, C1Elastic[5], "C1Elastic6");
    DesignNumber(*C1Elastic[5], Field::InactiveCaptionTopWithMenu, "Label16",
                 "Caption Top with Menu:", 0, 3000);
    DesignSwatch(*C1Elastic[5], Swatch::InactiveMenu, "Label2(4)", 0, 3420, 7);
    DesignVariantPage(*C1Tab3, 1, 3, C1Elastic[6], "C1Elastic7");
    DesignNumber(*C1Elastic[6], Field::InactiveCaptionTopNoMenu, "Label15",
                 "Caption Top with No Menu:", 0, 3000);
}

// Picture1 to Picture4 and List1 to List4 stand on the pages in their order.
void MainFrm::DesignVariantPage(TabControl& tab, int page, int box, ElasticPanel*& panel,
                                const char* panelName) {
    const int variant = kPageOrder[box], list = box + 1;
    TabPage& p = tab.Page(page);
    PictureBox* host = p.Add<PictureBox>("Picture" + std::to_string(box + 1), 60, 60, kPreviewWidth,
                                         kPreviewHeight);
    host->BackColor(0x00000000);
    host->OnDblClick = [this, box] { PictureDblClick(box); };
    if (IsActive(variant))
        host->OnMouseMove = [this, variant](int, int, float, float) { HoverReset(variant); };
    Picture[box] = host;
    Label* hint = host->Add<Label>(Index("Label25", box), 60, 60, 2700, 195);
    hint->Caption("<Double-Click> to Change BackColor");
    hint->Transparent(true);
    hint->ForeColor(0x00FFFFFF);
    hint->OnDblClick = [this, box] { PictureDblClick(box); };
    Label25[box] = hint;

    panel = p.Add<ElasticPanel>(panelName, 5940, 60, 2640, 5460);
    AddLabel(*panel, "Label" + std::to_string(19 + list), 0, 0, 2400, "<Double-Click> to Select");
    List[list] = panel->Add<ListBox>("List" + std::to_string(list), 0, 240, 2400, 2700);
}

void MainFrm::DesignSwatch(Container& panel, Swatch k, const char* labelName, float left, float top,
                           int eyedropper, float labelWidth) {
    AddLabel(panel, labelName, left, top, labelWidth, kSwatchCaptions[k]);
    PictureBox* swatch =
        panel.Add<PictureBox>(Index("picColor", static_cast<int>(k)), left, top + 240, 600, 270);
    swatch->OnClick = [this, k] { picColor_Click(k); };
    picColor[k] = swatch;
    ShowSwatch(k);
    if (eyedropper) {
        CommandButton* button = panel.Add<CommandButton>("Command" + std::to_string(eyedropper),
                                                         left + 660, top + 240, 375, 270);
        button->Caption("...");
        button->OnClick = [this, k] { ArmEyedropper(k); };
        Command[eyedropper] = button;
    }
}

Label* MainFrm::AddLabel(Container& panel, const std::string& name, float left, float top,
                         float width, const std::string& caption) {
    Label* label = panel.Add<Label>(name, left, top, width, 195);
    label->Caption(caption);
    label->Transparent(true);
    return label;
}

void MainFrm::DesignNumber(Container& panel, Field n, const char* labelName, const char* caption,
                           float left, float top) {
    TextLabel[n] = AddLabel(panel, labelName, left, top + 30, 1920, caption);
    TextBox* field = panel.Add<TextBox>("Text" + std::to_string(static_cast<int>(n)), left + 1980,
                                        top, 600, 285);
    field->Text(Document.Text(n));
    field->OnKeyPress = [this, n](int& key) { NumberKeyPress(n, key); };
    field->OnGotFocus = [this, n] { SelectAll(n); };
    field->OnChange = [this, n] { NumberChange(n); };
    Text[n] = field;
}

void MainFrm::EnableField(Field n, bool on) {
    Text[n]->Enabled(on);
    TextLabel[n]->Enabled(on);
}

void MainFrm::DesignButtonsPage() {
    TabPage& page = C1Tab1->Page(2);
    // Columns from the left: Min, Max, Restore, Close; the boxes picClose to picMin.
    const char* const headings[kCaptionButtons] = {"Close", "Restore", "Max", "Min"};
    const char* const rows[kButtonStates] = {"Normal:", "Down:", "Highlight:", "Disabled:"};
    const float left0 = 1500, top0 = 600, cellW = 900, cellH = 825;
    for (int b = 0; b < kCaptionButtons; ++b) {
        const float left = left0 + (kCaptionButtons - 1 - b) * cellW;
        AddLabel(page, Index("Label3", b), left, top0 - 300, 765, headings[b]);
        for (int s = 1; s <= kButtonStates; ++s) {
            PictureBox* frame = page.Add<PictureBox>(Index("Picture1" + std::to_string(b), s), left,
                                                     top0 + (s - 1) * cellH, 765, 690);
            frame->BackColor(kWindowBackground);
            PictureBox* box = frame->Add<PictureBox>(Index(std::string("pic") + headings[b], s),
                                                     225, 225, 270, 240);
            box->BackColor(0x00FF00FF);
            box->Bordered(false);
            box->ScaleMode(Scale::Pixels);
            box->AutoSize(true);
            box->OnDblClick = [this, b, s] {
                ButtonBox_DblClick(*this, static_cast<CaptionButton>(b), s);
            };
            ButtonFrame[b][s] = frame;
            ButtonBox[b][s] = box;
        }
    }
    for (int s = 0; s < kButtonStates; ++s)
        AddLabel(page, Index("Label4", s), 300, top0 + s * cellH + 240, 1100, rows[s]);
    AddLabel(page, "Label24", left0, top0 + kButtonStates * cellH + 120, 3000,
             "<Double-Click> to Select");
}

void MainFrm::DesignOptionPanel() {
    C1Elastic[2] = Add<ElasticPanel>("C1Elastic3", 9180, 120, 3360, 7500);
    ElasticPanel& panel = *C1Elastic[2];
    auto check = [&](Container& parent, Option n, const char* caption, float top) {
        CheckBox* box = parent.Add<CheckBox>("Check" + std::to_string(static_cast<int>(n)), 120,
                                             top, 3000, 240);
        box->Caption(caption);
        box->OnClick = [this, n] { CheckClick(n); };
        Check[n] = box;
    };
    check(panel, Option::ShowSizableCorners, "Show Sizable Corners", 0);

    Frame* buttons = panel.Add<Frame>("Frame1", 0, 300, 3360, 1260);
    buttons->Caption("Button Options");
    DesignNumber(*buttons, Field::ButtonsTop, "Label5", "Buttons Top", 120, 240);
    DesignNumber(*buttons, Field::ButtonLeft, "Label7", "Button Left", 120, 570);
    DesignNumber(*buttons, Field::ButtonGap, "Label8", "Button Gap", 120, 900);

    Frame* corners = panel.Add<Frame>("Frame2", 0, 1620, 3360, 1200);
    corners->Caption("Corner Options");
    check(*corners, Option::RoundTopCorners, "Round Top Corners", 240);
    check(*corners, Option::RoundBottomCorners, "Round Bottom Corners", 510);
    DesignNumber(*corners, Field::RoundAngle, "Label9", "Round Angle:", 120, 810);

    Frame* caption = panel.Add<Frame>("Frame3", 0, 2880, 3360, 960);
    caption->Caption("Caption Options");
    check(*caption, Option::DrawCaption, "Draw Caption", 240);
    DesignNumber(*caption, Field::CaptionLeft, "Label10", "Caption Left:", 120, 540);

    Frame* icon = panel.Add<Frame>("Frame4", 0, 3900, 3360, 1500);
    icon->Caption("Icon Options");
    check(*icon, Option::DrawFormIcon, "Draw Form Icon", 240);
    check(*icon, Option::ShiftCaption, "Shift Caption if No Icon", 510);
    DesignNumber(*icon, Field::IconTop, "Label17", "Icon Top", 120, 810);
    DesignNumber(*icon, Field::IconLeft, "Label18", "Icon Left", 120, 1140);
    EnableField(Field::IconTop, false);
    EnableField(Field::IconLeft, false);

    Frame* menu = panel.Add<Frame>("Frame5", 0, 5460, 3360, 930);
    menu->Caption("Menu Options");
    DesignNumber(*menu, Field::MenuTop, "Label11", "Menu Top", 120, 240);
    DesignNumber(*menu, Field::MenuLeft, "Label19", "Menu Left", 120, 570);

    DesignSwatch(panel, Swatch::Neutral, "Label2(0)", 0, 6450, 0, 1600);
    DesignSwatch(panel, Swatch::FormText, "Label12", 1700, 6450, 0, 1600);
    DesignSwatch(panel, Swatch::Empty, "Label2(7)", 0, 6990, 0, 1600);
    picColor[Swatch::Empty]->Visible(false);
    static_cast<Label*>(FindControl("Label2(7)"))->Visible(false);
}

void MainFrm::DesignMenus() {
    const auto skinCommand = [this](std::function<void()> command) {
        return [this, command] { RunSkinCommand(command); };
    };
    mnuFile = AddMenu("mnuFile", "&File");
    mnuCreate = mnuFile->Add("mnuCreate", "&Create New Skin");
    mnuCreate->OnClick = skinCommand([this] { mnuCreate_Click(); });
    mnuFile->Add("spc3", "-");
    mnuLoad = mnuFile->Add("mnuLoad", "&Load Skin");
    mnuLoad->OnClick = skinCommand([this] { mnuLoad_Click(); });
    mnuFile->Add("spc1", "-");
    mnuBMP = mnuFile->Add("mnuBMP", "Save as &Bitmap Image");
    mnuBMP->OnClick = skinCommand([this] { SaveSkinImage(*this, false, false); });
    mnuSave = mnuFile->Add("mnuSave", "Save Optimized &GIF Image");
    mnuSave->OnClick = skinCommand([this] { SaveSkinImage(*this, true, false); });
    mnuFile->Add("spc2", "-");
    mnuExit = mnuFile->Add("mnuExit", "E&xit");
    mnuExit->OnClick = [this] { Unload(); };

    mnuView = AddMenu("mnuView", "&View");
    mnuPreview = mnuView->Add("mnuPreview", "&Preview Skin on Separate Form");
    mnuPreview->OnClick = skinCommand([this] { SaveSkinImage(*this, false, true); });
    mnuView->Add("spc22", "-");
    mnuGraphicSize = mnuView->Add("mnuGraphicSize", "Graphic Size Frm");
    mnuGraphicSize->OnClick = [this] { ShowSizeCheckFrm(*this); };

    mnuHelp = AddMenu("mnuHelp", "&Help");
    mnuHomePage = mnuHelp->Add("mnuHomePage", "Vantreo Home Page");
    mnuHomePage->OnClick = [] { ShellOpen(kHomePage); };
    mnuTechSupport = mnuHelp->Add("mnuTechSupport", "Vantreo Technical Support");
    mnuTechSupport->OnClick = [] { ShellOpen(kTechSupport); };
}

// ---- Start-up and shut-down ----

void MainFrm::Form_Load() {
    ProgramFolder = App::Path();
    if (ProgramFolder.empty() || ProgramFolder.back() != '\\') ProgramFolder += '\\';

    Qel_SkinCtrl1->Call(L"ActivateSkin");
    for (TabControl* tab : {C1Tab1, C1Tab2, C1Tab3}) {
        tab->BackColor(BackColor());
        tab->TabBackColor(BackColor());
        tab->CurrentTabBackColor(BackColor());
    }
    for (ElasticPanel* panel : C1Elastic)
        panel->BackColor(BackColor());

    EmbedPreviews();

    for (ListBox* list : List)
        for (int p = 0; p < kPieces; ++p)
            list->AddItem(PieceName(static_cast<Piece>(p)));
    ConnectPieceLists(*this);
    ConnectPreviewForms(*this);
}

// Frm1 in Picture1, Frm3 in Picture2, Frm2 in Picture3, Frm4 in Picture4, each
// centred in its box (it may overhang it).
void MainFrm::EmbedPreviews() {
    for (int k = 0; k < kVariants; ++k) {
        LivePreviewFrm& form = creator::Frm(kPageOrder[k]);
        Frm[kPageOrder[k]] = &form;
        PictureBox& box = *Picture[k];
        form.ShowInside(box);
        form.Move(box.Width() / 2 - form.Width() / 2, box.Height() / 2 - form.Height() / 2,
                  form.Width(), form.Height());
        // The hint stays above the embedded form.
        SetWindowPos(Label25[k]->hWnd(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// The caption label and the form icon of the previews follow "Draw Caption"
// and "Draw Form Icon".
void MainFrm::ShowChecksOnPreviews() {
    for (LivePreviewFrm* form : Frm) {
        form->Label1->Visible(Check[Option::DrawCaption]->Value() != 0);
        form->IcoImage->Visible(Check[Option::DrawFormIcon]->Value() != 0);
    }
}

void MainFrm::Form_Activate() {
    for (Label* hint : Label25) {
        hint->Visible(true);
        hint->ForeColor(0x00FFFFFF);
        hint->Refresh();
    }
}

void MainFrm::Form_QueryUnload(int& cancel) {
    bool close = false;
    RunSkinCommand(
        [&] { close = SaveChangesFirst("Do you wish to Save Changes before Exiting?"); });
    if (!close) {
        cancel = 99;
        return;
    }
    for (Form* form : Frm)
        form->Unload();
}

// Every other form of the program goes with the main window (an open size-check
// form, a hidden dialog), so that the program ends and nothing reaches the
// unloaded main window.
void MainFrm::Form_Unload() {
    ReleaseAll();
    for (Form* form : std::vector<Form*>(LoadedForms()))
        if (form != this) form->Unload();
}

void MainFrm::RunSkinCommand(const std::function<void()>& command) {
    ReentryGuard once(skinCommandRunning_);
    if (!once) return;
    InputHold hold;
    command();
}

bool MainFrm::SaveChangesFirst(const std::string& prompt) {
    if (!Document.SkinModified) return true;
    switch (MsgBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION, "Save Changes")) {
    case IDYES:
        return SaveSkinImage(*this, false, false);
    case IDNO:
        return true;
    default:
        return false;
    }
}

// ---- Option panel ----

void MainFrm::RedrawPreviews() {
    DoBorders(*this);
    for (Form* form : Frm)
        form->Refresh();
}

void MainFrm::CheckClick(Option n) {
    const short value = Check[n]->Value();
    Document.CheckValue(n) = value;
    const bool on = value != 0;
    switch (n) {
    case Option::ShowSizableCorners:
        RedrawPreviews();
        return; // a view option, not part of the skin
    case Option::RoundTopCorners:
    case Option::RoundBottomCorners:
        RedrawPreviews();
        break;
    case Option::DrawCaption:
        ShowChecksOnPreviews();
        for (Field field : {Field::CaptionTopWithMenu, Field::CaptionTopNoMenu,
                            Field::InactiveCaptionTopNoMenu, Field::InactiveCaptionTopWithMenu})
            EnableField(field, on);
        Check[Option::ShiftCaption]->Enabled(on);
        break;
    case Option::DrawFormIcon:
        EnableField(Field::IconTop, on);
        EnableField(Field::IconLeft, on);
        ShowChecksOnPreviews();
        break;
    case Option::ShiftCaption:
        break;
    }
    Document.SkinModified = true;
}

// Enter applies the field; of the other characters only "/", the digits and
// Backspace are taken (the other control characters are swallowed).
void MainFrm::NumberKeyPress(Field n, int& keyAscii) {
    if (keyAscii == 13) {
        RedrawPreviews();
        SelectAll(n);
        Document.SkinModified = true;
    } else if ((keyAscii < 47 || keyAscii > 57) && keyAscii != '\b') {
        keyAscii = 0;
    }
}

void MainFrm::SelectAll(Field n) {
    TextBox& field = *Text[n];
    field.SelStart(0);
    field.SelLength(static_cast<long>(field.Text().size()));
}

// A value the user changed is an edit, even before Enter applies it: leaving the
// field does not lose it unasked. Showing the document's own text is none.
void MainFrm::NumberChange(Field n) {
    const std::string text = Text[n]->Text();
    if (text != Document.Text(n)) Document.SkinModified = true;
    Document.SetText(n, text);
    if (const std::optional<Field> mirror = MirrorOf(n); mirror && Text[*mirror]->Text() != text)
        Text[*mirror]->Text(text);
}

void MainFrm::ShowSwatch(Swatch k) {
    picColor[k]->BackColor(Document.picColor(k).backColor);
    picColor[k]->ForeColor(Document.picColor(k).foreColor);
}

void MainFrm::ArmEyedropper(Swatch k) {
    ColorPick.Start(Document, k);
    ShowSwatch(k);
    ShowPickPointer();
}

void MainFrm::DisarmEyedropper() {
    ColorPick.active = false;
    ShowPickPointer();
}

// The previews show the eyedropper pointer while it is armed.
void MainFrm::ShowPickPointer() {
    for (Form* form : Frm)
        form->MousePointer(ColorPick.active ? Pointer::Custom : Pointer::Arrow);
}

// A cancelled colour dialog changes nothing and marks nothing modified.
void MainFrm::picColor_Click(Swatch k) {
    DisarmEyedropper();
    if (!CommonDialog1.ShowColor()) return;
    const OleColor colour = CommonDialog1.Color();
    Document.picColor(k).backColor = colour;
    ShowSwatch(k);
    ShowSwatchOnPreviews(k);
    if (!PreviewsColouredBy(k).empty()) DoBorders(*this);
    Document.SkinModified = true;
}

void MainFrm::ShowSwatchOnPreviews(Swatch k) {
    const OleColor colour = Document.picColor(k).backColor;
    for (LivePreviewFrm* form : Frm) {
        const int v = form->Variant();
        if (k == FormBackSwatch(v)) form->BackColor(colour);
        if (k == CaptionSwatch(v)) form->Label1->ForeColor(colour);
        if (k == MenuSwatch(v) && form->WithMenu()) form->Label2->ForeColor(colour);
        if (k == Swatch::FormText) form->Label3->ForeColor(colour);
    }
}

// The preview background is a view option: not part of the skin.
void MainFrm::PictureDblClick(int box) {
    DisarmEyedropper();
    if (!CommonDialog1.ShowColor()) return;
    const OleColor colour = CommonDialog1.Color();
    switch (MsgBox("Apply to All Preview Windows?", MB_YESNOCANCEL | MB_ICONQUESTION,
                   "Change Preview Window Background Color")) {
    case IDNO:
        Picture[box]->BackColor(colour);
        break;
    case IDYES:
        Picture[box]->BackColor(colour);
        for (int k = 0; k < 4; ++k)
            if (k != box) Picture[k]->BackColor(colour);
        break;
    }
}

// Frm1 and Frm2 colour their mock menus, Frm1 and Frm3 show their buttons' rest
// pictures.
void MainFrm::HoverReset(int variant) {
    LivePreviewFrm& form = *Frm[variant];
    if (form.WithMenu()) ShowMenuColour(*this, variant, MenuSwatch(variant));
    if (form.Active()) ShowMockButtons(*this, variant, RestButtonPictures(Document));
}

void MainFrm::C1Tab1_Change() {
    Check[Option::ShowSizableCorners]->Visible(C1Tab1->CurrentPage() != 2);
}

// ---- Commands ----

void MainFrm::ClearSkinPieces() {
    Document.ClearSkinPieces();
    for (Swatch k : picColor.Numbers())
        ShowSwatch(k);
    for (auto& column : ButtonBox)
        for (PictureBox* box : column) {
            box->Picture(nullptr);
            box->Move(box->Left(), box->Top(), 270, 240); // the design size, twips
        }
    CenterButtonGraphics(*this);
    ReloadPreviews();
}

// Fresh previews for a new or loaded skin: their forms and labels take their
// design colours again (a load then gives them the skin's); what the check
// boxes and the eyedropper switch on them stays.
void MainFrm::ReloadPreviews() {
    for (Form* form : Frm)
        form->Unload();
    EmbedPreviews();
    ShowChecksOnPreviews();
    ShowPickPointer();
}

void MainFrm::mnuCreate_Click() {
    if (!SaveChangesFirst("Do you widh to Save Changes before Exiting?")) return;
    Document.SkinName.clear();
    Caption(std::string(kSkinCaption) + "New Skin");
    ClearSkinPieces();
    Document.SkinModified = false;
}

// Asks first while the skin is modified; reads and checks the whole file
// before anything changes, and names a refused file.
void MainFrm::mnuLoad_Click() {
    if (!SaveChangesFirst("Do you wish to Save Changes before Loading a Skin?")) return;
    CommonDialog1.InitDir(ProgramFolder);
    const std::string folder =
        GetSetting(kSettingsApp, kSettingsSection, "LstLoadedSkinLoc", ProgramFolder + "Skins\\");
    if (FolderExists(folder)) CommonDialog1.InitDir(folder);
    CommonDialog1.DialogTitle("Load Vantreo Skin");
    CommonDialog1.Filter("Vantreo Saved Skins (*.gif, *.bmp)|*.gif;*.bmp");
    CommonDialog1.DefaultExt(""); // not that of an earlier save
    CommonDialog1.FileName("");
    CommonDialog1.ShowOpen();
    const std::string file = CommonDialog1.FileName(), title = CommonDialog1.FileTitle();
    if (file.empty()) return;

    std::string problem;
    std::optional<SheetImage> image;
    try {
        image = SheetFromPicture(LoadPicture(file, kSheetPictureBound).get(), &problem);
    } catch (const RuntimeError& e) {
        problem = e.what();
    }
    SkinDocument loaded = Document;
    if (image) problem = LoadSkinSheet(loaded, *image);
    if (!problem.empty()) {
        MsgBox("The skin \"" + title + "\" cannot be loaded: " + problem, MB_ICONEXCLAMATION);
        return;
    }
    ClearSkinPieces();
    Document = std::move(loaded);
    Document.SkinName = title.substr(0, title.rfind('.')); // less its extension, if it has one
    Caption(kSkinCaption + Document.SkinName);
    ShowDocument();
    RedrawPreviews();
    CenterButtonGraphics(*this);
    SaveSetting(kSettingsApp, kSettingsSection, "LstLoadedSkinLoc",
                file.substr(0, file.size() - title.size()));
    Document.SkinModified = false;
}

void MainFrm::ShowDocument() {
    for (Swatch k : picColor.Numbers()) {
        ShowSwatch(k);
        ShowSwatchOnPreviews(k);
    }
    for (Field n : Text.Numbers())
        Text[n]->Text(Document.Text(n));
    // The boxes' Click handlers apply each value to the previews and controls.
    for (Option n : Check.Numbers())
        Check[n]->Value(static_cast<short>(Document.CheckValue(n)));
    for (int b = 0; b < kCaptionButtons; ++b)
        for (int s = 1; s <= kButtonStates; ++s) {
            const GraphicBox& box = Document.ButtonBox(static_cast<CaptionButton>(b), s);
            ButtonBox[b][s]->Picture(PictureFromSheet(box.picture));
            ButtonBox[b][s]->Tag(box.tag);
        }
    for (int b = 0; b < kCaptionButtons; ++b)
        ShowPreviewButton(*this, static_cast<CaptionButton>(b));
    ShowPieceFlags();
}

void MainFrm::ShowPieceFlags() {
    for (int v = 1; v <= kVariants; ++v)
        for (int p = 0; p < kPieces; ++p)
            List[v]->ItemData(p, Document.ItemData(v, static_cast<Piece>(p)));
}

} // namespace qel::creator
