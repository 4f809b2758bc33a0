// The skin creator's main window as a user meets it: its pages, option panel,
// swatches and previews at start-up, every option handler by real typing and
// clicking, and the commands through the menu bar that the skin control draws
// in the caption. Dialogs, message boxes and the shell are answered through
// the forms layer's seams; a screenshot of every page is saved.
#include "creator/shell/MainFrm.h"
#include "tests/creator/CreatorMainFixture.h"
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/PreviewFrm.h"
#include "creator/shell/SizeCheckFrm.h"
#include "creator/shell/UpdateWhatFrm.h"
#include "sheet/win32/SheetPicture.h"
#include "tests/creator/CreatorMenus.h"
#include "forms/ActiveXControl.h"
#include "forms/App.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Grid.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/MsgBox.h"
#include "forms/PictureBox.h"
#include "forms/Settings.h"
#include "forms/Shell.h"
#include "forms/TabControl.h"
#include "forms/TextBox.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Paths.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <vector>

namespace qel::creator {
namespace {

using namespace forms;
using forms::test::ClickOn;
using forms::test::MessageBoxes;
using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;
using qel::test::WhileInput;
using test::ChooseFromMenu;
using test::Dialogs;
using test::MenuKeys;
using test::Press;

constexpr COLORREF kRed = 0x000000FF, kBlue = 0x00FF0000;

void ClickTab(const TabControl& tab, int index) {
    HWND strip = FindWindowExA(tab.hWnd(), nullptr, WC_TABCONTROLA, nullptr);
    RECT r{};
    SendMessageA(strip, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    POINT p = forms::test::ClientPoint(strip, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    qel::test::Click(p.x, p.y);
}

// A real double click at a client point of a window.
void DoubleClick(HWND hwnd, int x, int y) {
    POINT p = forms::test::ClientPoint(hwnd, x, y);
    qel::test::DoubleClick(p.x, p.y);
}

COLORREF CentrePixel(HWND hwnd) {
    RECT r = qel::test::WindowRectOf(hwnd);
    return qel::test::ScreenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Clicks into a field and types `text` (then presses `key`, if any).
void TypeInto(TextBox& field, const std::string& text, WORD key = 0) {
    WhileInput([&] {
        ClickOn(field.hWnd());
        forms::test::Type(text);
        if (key) Press(key);
    });
}

std::string LastPrompt() {
    const auto& prompts = MessageBoxes().prompts;
    return prompts.empty() ? "" : prompts.back();
}

Label& LabelOf(Form& form, const char* name) {
    return *static_cast<Label*>(form.FindControl(name));
}

// Whether most of a preview label's pixels on screen are the preview's drawing
// behind it.
bool ShowsSurface(LivePreviewFrm& form, const Label& label) {
    const RECT r = qel::test::WindowRectOf(label.hWnd());
    const std::vector<COLORREF> shown = qel::test::ScreenPixels(r);
    const POINT o = forms::test::ClientPoint(form.hWnd(), 0, 0);
    size_t same = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        same += shown[i] == GetPixel(form.hDC(), r.left - o.x + i % (r.right - r.left),
                                     r.top - o.y + i / (r.right - r.left));
    return same * 2 > shown.size();
}

class CreatorMain : public CreatorMainFixture {
protected:
    Dialogs dialogs;
};

TEST_F(CreatorMain, StartsSkinnedWithItsDefaultsAndPreviewsCentred) {
    // The creator's own skin: teal caption, its form colour.
    EXPECT_TRUE(ValueOf<bool>(main->Qel_SkinCtrl1->Call(L"IsSkinActive")));
    EXPECT_EQ(ValueOf<long>(main->Qel_SkinCtrl1->Call(L"Skin")), 99);
    EXPECT_FALSE(ValueOf<bool>(main->Qel_SkinCtrl1->Call(L"LoadSkinFromRegistry")));
    EXPECT_FALSE(ValueOf<bool>(main->Qel_SkinCtrl1->Call(L"ChangeControlColor")));
    EXPECT_EQ(main->Caption(), "Vantreo Skin Creator - New Skin");
    EXPECT_EQ(main->ProgramFolder, App::Path() + "\\");
    for (ListBox* list : main->List) {
        ASSERT_EQ(list->ListCount(), 10);
        EXPECT_EQ(list->List(6), "Bottom Left Sizable");
        EXPECT_EQ(list->ItemData(9), 0);
    }
    EXPECT_EQ(main->Check[Option::DrawCaption]->Value(), 1);
    EXPECT_FALSE(main->Text[Field::IconTop]->Enabled());
    EXPECT_EQ(main->Text[Field::CaptionLeft]->Text(), "20");
    EXPECT_EQ(main->picColor[Swatch::Neutral]->BackColor(), 0x0000FF00u);
    EXPECT_EQ(main->picColor[Swatch::ActiveCaption]->ForeColor(), kWindowText);
    EXPECT_FALSE(main->picColor[Swatch::Empty]->Visible());
    EXPECT_EQ(CentrePixel(main->picColor[Swatch::Neutral]->hWnd()), 0x0000FF00u);

    // Frm1 in Picture1, Frm3 in Picture2, Frm2 in Picture3, Frm4 in Picture4.
    const int variants[4] = {1, 3, 2, 4};
    const char* shots[4] = {"active_with_menu", "active_no_menu", "inactive_with_menu",
                            "inactive_no_menu"};
    for (int k = 0; k < 4; ++k) {
        ShowPage(k / 2, k % 2);
        Form& frm = *main->Frm[variants[k]];
        EXPECT_EQ(frm.Name(), "Frm" + std::to_string(variants[k]));
        EXPECT_EQ(frm.Host(), main->Picture[k]);
        // Centred by outer sizes: Left = box Width / 2 - form Width / 2 inside the box.
        HWND host = main->Picture[k]->hWnd();
        RECT box = qel::test::WindowRectOf(host);
        RECT form = qel::test::WindowRectOf(frm.hWnd());
        POINT origin = forms::test::ClientPoint(host, 0, 0);
        EXPECT_NEAR(form.left - origin.x, (box.right - box.left - (form.right - form.left)) / 2, 1);
        EXPECT_NEAR(form.top - origin.y, (box.bottom - box.top - (form.bottom - form.top)) / 2, 1);
        EXPECT_TRUE(main->Label25[k]->Visible());
        EXPECT_EQ(main->Label25[k]->ForeColor(), 0x00FFFFFFu);
        qel::test::SaveWindowShot("creator_" + std::string(shots[k]), main->hWnd());
    }
    ShowPage(2, 0);
    qel::test::SaveWindowShot("creator_buttons", main->hWnd());
    EXPECT_FALSE(main->Document.SkinModified);
}

TEST_F(CreatorMain, PagesShowAndHideTheSizableCornersBox) {
    WhileInput([&] { ClickTab(*main->C1Tab1, 2); });
    ASSERT_TRUE(PumpUntil([&] { return main->C1Tab1->CurrentPage() == 2; }));
    EXPECT_FALSE(main->Check[Option::ShowSizableCorners]->Visible());
    WhileInput([&] { ClickTab(*main->C1Tab1, 1); });
    ASSERT_TRUE(PumpUntil([&] { return main->C1Tab1->CurrentPage() == 1; }));
    EXPECT_TRUE(main->Check[Option::ShowSizableCorners]->Visible());
}

TEST_F(CreatorMain, NumberFieldsTakeDigitsAndSlashMirrorAndApplyOnEnter) {
    TextBox& buttonsTop = *main->Text[Field::ButtonsTop];
    TypeInto(buttonsTop, "1/a2-:3", VK_BACK); // the whole text is selected on focus
    EXPECT_EQ(buttonsTop.Text(), "1/2");
    WhileInput([&] { Press(VK_RETURN); });
    EXPECT_TRUE(main->Document.SkinModified);
    EXPECT_EQ(main->Document.Text(Field::ButtonsTop), "1/2");
    EXPECT_EQ(buttonsTop.SelStart(), 0);
    EXPECT_EQ(buttonsTop.SelLength(), 3);

    // Text10 (in-active page) and Text2 mirror each other, Text9 and Text8 too.
    ShowPage(1, 0);
    TypeInto(*main->Text[Field::InactiveCaptionTopWithMenu], "12");
    EXPECT_EQ(main->Text[Field::CaptionTopWithMenu]->Text(), "12");
    EXPECT_EQ(main->Document.Text(Field::CaptionTopWithMenu), "12");
    ShowPage(0, 1);
    TypeInto(*main->Text[Field::CaptionTopNoMenu], "7");
    EXPECT_EQ(main->Text[Field::InactiveCaptionTopNoMenu]->Text(), "7");
}

TEST_F(CreatorMain, CheckBoxesSwitchThePreviewsAndFieldsAndMarkTheSkin) {
    WhileInput([&] { ClickOn(main->Check[Option::ShowSizableCorners]->hWnd()); });
    ASSERT_TRUE(PumpUntil([&] { return main->Check[Option::ShowSizableCorners]->Value() == 1; }));
    EXPECT_FALSE(main->Document.SkinModified); // a view option only
    EXPECT_EQ(main->Document.CheckValue(Option::ShowSizableCorners), 1);

    WhileInput([&] { ClickOn(main->Check[Option::DrawCaption]->hWnd()); });
    ASSERT_TRUE(PumpUntil([&] { return main->Check[Option::DrawCaption]->Value() == 0; }));
    EXPECT_TRUE(main->Document.SkinModified);
    for (Form* frm : main->Frm)
        EXPECT_FALSE(LabelOf(*frm, "Label1").Visible());
    for (Field field : {Field::CaptionTopWithMenu, Field::CaptionTopNoMenu,
                        Field::InactiveCaptionTopNoMenu, Field::InactiveCaptionTopWithMenu})
        EXPECT_FALSE(main->Text[field]->Enabled());
    EXPECT_FALSE(main->Check[Option::ShiftCaption]->Enabled());

    WhileInput([&] { ClickOn(main->Check[Option::DrawFormIcon]->hWnd()); });
    ASSERT_TRUE(PumpUntil([&] { return main->Check[Option::DrawFormIcon]->Value() == 1; }));
    EXPECT_TRUE(main->Text[Field::IconTop]->Enabled());
    EXPECT_TRUE(main->Text[Field::IconLeft]->Enabled());
    for (Form* frm : main->Frm)
        EXPECT_TRUE(frm->FindControl("IcoImage")->Visible());
    EXPECT_EQ(main->Document.CheckValue(Option::DrawFormIcon), 1);
}

TEST_F(CreatorMain, SwatchesTakeTheDialogsColourAndACancelChangesNothing) {
    dialogs.colour = kRed;
    WhileInput([&] { ClickOn(main->picColor[Swatch::ActiveCaption]->hWnd()); });
    ASSERT_TRUE(
        PumpUntil([&] { return main->picColor[Swatch::ActiveCaption]->BackColor() == kRed; }));
    PumpUntilIdle();
    EXPECT_EQ(CentrePixel(main->picColor[Swatch::ActiveCaption]->hWnd()), kRed);
    EXPECT_EQ(main->Document.picColor(Swatch::ActiveCaption).backColor, kRed);
    EXPECT_EQ(LabelOf(*main->Frm[1], "Label1").ForeColor(), kRed);
    EXPECT_EQ(LabelOf(*main->Frm[3], "Label1").ForeColor(), kRed);
    EXPECT_TRUE(main->Document.SkinModified);

    main->Document.SkinModified = false;
    dialogs.colour.reset();
    const OleColor before = main->picColor[Swatch::ActiveFormBack]->BackColor();
    WhileInput([&] { ClickOn(main->picColor[Swatch::ActiveFormBack]->hWnd()); });
    ASSERT_TRUE(PumpUntil([&] { return dialogs.shown == 2; }));
    EXPECT_EQ(main->picColor[Swatch::ActiveFormBack]->BackColor(), before);
    EXPECT_FALSE(main->Document.SkinModified);
    EXPECT_TRUE(MessageBoxes().prompts.empty());
}

TEST_F(CreatorMain, AnEyedropperArmsThePreviewsAndASwatchClickDisarmsIt) {
    main->Document.picColor(Swatch::ActiveCaption).backColor = kBlue;
    WhileInput([&] { ClickOn(main->Command[5]->hWnd()); }); // swatch 2
    ASSERT_TRUE(PumpUntil([&] { return main->ColorPick.active; }));
    EXPECT_EQ(main->ColorPick.index, Swatch::ActiveCaption);
    EXPECT_EQ(main->Document.picColor(Swatch::ActiveCaption).foreColor, kBlue);
    for (Form* frm : main->Frm)
        EXPECT_EQ(frm->MousePointer(), Pointer::Custom);
    ChooseFromMenu('F', {'C'}); // fresh previews, still armed
    for (Form* frm : main->Frm)
        EXPECT_EQ(frm->MousePointer(), Pointer::Custom);

    WhileInput([&] {
        ClickOn(main->picColor[Swatch::ActiveFormBack]->hWnd());
    }); // colour dialog cancelled
    ASSERT_TRUE(PumpUntil([&] { return !main->ColorPick.active; }));
    for (Form* frm : main->Frm)
        EXPECT_EQ(frm->MousePointer(), Pointer::Arrow);
}

TEST_F(CreatorMain, PreviewBackgroundsAskWhetherToColourAllFour) {
    dialogs.colour = kBlue;
    HWND box1 = main->Picture[0]->hWnd();
    auto doubleClickBox1 = [&](int answer) {
        MessageBoxes().answers.push_back(answer);
        const size_t asked = MessageBoxes().prompts.size();
        WhileInput([&] { DoubleClick(box1, 20, 300); });
        ASSERT_TRUE(PumpUntil([&] { return MessageBoxes().prompts.size() == asked + 1; }));
        PumpUntilIdle();
    };
    doubleClickBox1(IDCANCEL);
    EXPECT_EQ(LastPrompt(), "Apply to All Preview Windows?");
    for (PictureBox* box : main->Picture)
        EXPECT_EQ(box->BackColor(), 0u);
    doubleClickBox1(IDNO);
    EXPECT_EQ(main->Picture[0]->BackColor(), kBlue);
    EXPECT_EQ(main->Picture[1]->BackColor(), 0u);
    EXPECT_EQ(qel::test::WindowPixel(box1, 20, 300), kBlue);
    dialogs.colour = kRed;
    // The hint over the box answers as the box does.
    MessageBoxes().answers.push_back(IDYES);
    WhileInput([&] {
        POINT p = forms::test::CentreOf(main->Label25[0]->hWnd());
        qel::test::DoubleClick(p.x, p.y);
    });
    ASSERT_TRUE(PumpUntil([&] { return main->Picture[3]->BackColor() == kRed; }));
    for (PictureBox* box : main->Picture)
        EXPECT_EQ(box->BackColor(), kRed);
    EXPECT_FALSE(main->Document.SkinModified);
}

TEST_F(CreatorMain, MovingOverThePreviewBoxResetsTheHoverLook) {
    Picture close = forms::test::SolidPicture(14, 12, kRed);
    main->Document.ButtonBox(CaptionButton::Close, 1).tag = "99";
    main->ButtonBox[0][1]->Picture(close);
    LabelOf(*main->Frm[1], "Label2").ForeColor(kBlue);
    WhileInput([&] {
        POINT p = forms::test::ClientPoint(main->Picture[0]->hWnd(), 20, 300);
        qel::test::MouseMove(p.x, p.y);
        qel::test::MouseMove(p.x + 5, p.y);
    });
    ASSERT_TRUE(PumpUntil([&] { return LabelOf(*main->Frm[1], "Label2").ForeColor() == 0; }));
    auto* image = static_cast<Image*>(main->Frm[1]->FindControl("Image2(1)"));
    EXPECT_EQ(image->Picture().get(), close.get());
}

TEST_F(CreatorMain, CreateNewSkinAsksWhileModifiedAndKeepsUnsavedWork) {
    ChooseFromMenu('F', {'C'});
    EXPECT_TRUE(MessageBoxes().prompts.empty());
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - New Skin");

    main->Document.picColor(Swatch::ActiveFormBack).backColor = kRed;
    main->Document.SkinModified = true;
    for (int answer : {IDCANCEL, IDYES}) { // Yes: the save did not happen
        MessageBoxes().answers.push_back(answer);
        ChooseFromMenu('F', {'C'});
        EXPECT_EQ(LastPrompt(), "Do you widh to Save Changes before Exiting?");
        EXPECT_TRUE(main->Document.SkinModified);
        EXPECT_EQ(main->Document.picColor(Swatch::ActiveFormBack).backColor, kRed);
    }
    Label& caption = LabelOf(*main->Frm[1], "Label1");
    const OleColor designColour = caption.ForeColor();
    caption.ForeColor(kRed);
    main->Check[Option::DrawFormIcon]->Value(1);
    MessageBoxes().answers.push_back(IDNO);
    ChooseFromMenu('F', {'C'});
    EXPECT_FALSE(main->Document.SkinModified);
    EXPECT_EQ(main->Document.picColor(Swatch::ActiveFormBack).backColor, 0x00E0E0E0u);
    EXPECT_EQ(main->picColor[Swatch::ActiveFormBack]->BackColor(), 0x00E0E0E0u);
    // Fresh previews in their boxes: design colours, the check boxes' switches kept.
    EXPECT_EQ(LabelOf(*main->Frm[1], "Label1").ForeColor(), designColour);
    for (int k = 0; k < kVariants; ++k) {
        const LivePreviewFrm& form = *main->Frm[kPageOrder[k]];
        EXPECT_EQ(form.Host(), main->Picture[k]);
        EXPECT_TRUE(form.Visible());
        EXPECT_TRUE(form.IcoImage->Visible());
    }
}

TEST_F(CreatorMain, LoadSkinReadsASheetAndRefusesAnythingElse) {
    const std::string skins = main->ProgramFolder + "Skins\\";
    SaveSetting("Vantreo", "Settings", "LstLoadedSkinLoc", "C:\\no such folder\\");
    dialogs.path = "";
    ChooseFromMenu('F', {'L'});
    ASSERT_EQ(dialogs.initDirs.size(), 1u);
    EXPECT_EQ(dialogs.initDirs.back(), main->ProgramFolder);
    EXPECT_EQ(main->Caption(), "Vantreo Skin Creator - New Skin");

    const std::string notASkin = qel::test::OutputPath("NotASkin.bmp");
    SavePicture(forms::test::SolidPicture(40, 30, kRed).get(), notASkin);
    dialogs.path = notASkin;
    main->Document.SkinModified = true;
    MessageBoxes().answers.push_back(IDNO);
    ChooseFromMenu('F', {'L'});
    ASSERT_EQ(MessageBoxes().prompts.size(), 2u);
    EXPECT_EQ(MessageBoxes().prompts[0], "Do you wish to Save Changes before Loading a Skin?");
    EXPECT_NE(MessageBoxes().prompts[1].find("NotASkin.bmp"), std::string::npos);
    EXPECT_TRUE(main->Document.SkinModified);
    EXPECT_EQ(main->List[1]->ItemData(0), 0);

    // A dark caption and a coloured body: the previews take the skin's colours,
    // and show the caption and body through their sample texts.
    main->Document.SkinModified = false;
    dialogs.path = skins + "Slate Night.gif";
    ChooseFromMenu('F', {'L'});
    EXPECT_EQ(main->Frm[2]->Label1->ForeColor(),
              main->Document.picColor(Swatch::InactiveCaption).backColor);
    EXPECT_EQ(main->Frm[1]->BackColor(), main->Document.picColor(Swatch::ActiveFormBack).backColor);
    LivePreviewFrm& shown = *main->Frm[1];
    for (Label* sample : {shown.Label1, shown.Label2, shown.Label3})
        EXPECT_TRUE(PumpUntil([&] { return ShowsSurface(shown, *sample); })) << sample->Name();
    EXPECT_EQ(main->Document.SkinName, "Slate Night");
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - Slate Night");
    EXPECT_FALSE(main->Document.SkinModified);
    EXPECT_EQ(main->List[4]->ItemData(9), 99);
    EXPECT_EQ(GetSetting("Vantreo", "Settings", "LstLoadedSkinLoc"), skins);
    EXPECT_EQ(CentrePixel(main->picColor[Swatch::Neutral]->hWnd()),
              main->Document.picColor(Swatch::Neutral).backColor);
    qel::test::SaveWindowShot("creator_loaded_skin", main->hWnd());
    ChooseFromMenu('F', {'L'});
    EXPECT_EQ(dialogs.initDirs.back(), skins);

    // A title without an extension, in any script, is the name whole.
    const std::string title = "\xE7\x9A\xAE\xE8\x82\xA4", file = qel::test::OutputPath(title);
    ASSERT_TRUE(CopyFileA((skins + "Amber Dusk.gif").c_str(), file.c_str(), FALSE));
    dialogs.path = file;
    ChooseFromMenu('F', {'L'});
    EXPECT_EQ(main->Document.SkinName, title);
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - " + title);
    EXPECT_EQ(GetSetting("Vantreo", "Settings", "LstLoadedSkinLoc"),
              file.substr(0, file.size() - title.size()));
    dialogs.path = qel::test::OutputPath("my.skin.v2.gif"); // less its last extension only
    ASSERT_TRUE(CopyFileA(file.c_str(), dialogs.path.c_str(), FALSE));
    ChooseFromMenu('F', {'L'});
    EXPECT_EQ(main->Document.SkinName, "my.skin.v2");
}

// Waits for the system dialog titled `title` in front and sends it `keys`.
void AnswerForeground(const char* title, const std::function<void()>& keys) {
    ASSERT_TRUE(forms::test::WaitForDialog([&](HWND dialog) {
        char text[64] = {};
        GetWindowTextA(dialog, text, sizeof text);
        return std::string(text) == title;
    }));
    keys();
}

TEST_F(CreatorMain, TheSavePromptAndTheOpenDialogAnswerRealKeys) {
    MsgBoxSeam realBoxes{nullptr};
    CommonDialogSeam realDialogs{nullptr};
    SaveSetting("Vantreo", "Settings", "LstLoadedSkinLoc", main->ProgramFolder + "Skins\\");
    main->Document.SkinModified = true;
    forms::test::WithInput([] {},
                           [] {
                               MenuKeys('F', {'L'});
                               AnswerForeground("Save Changes", [] { Press('N'); });
                               AnswerForeground("Load Vantreo Skin", [] {
                                   forms::test::Type("Sea Glass.gif");
                                   Press(VK_RETURN);
                               });
                           });
    ASSERT_TRUE(PumpUntil([&] { return main->Document.SkinName == "Sea Glass"; }));
    EXPECT_FALSE(main->Document.SkinModified);
}

TEST_F(CreatorMain, SavesWriteTheSheetAndNameTheSkin) {
    const std::string folder = qel::test::OutputPath("saved\\");
    DeleteFileA((folder + "Ocean 1.bmp").c_str());
    DeleteFileA((folder + "Ocean 1.gif").c_str());
    main->Document.SkinModified = true;
    dialogs.path = folder + "Ocean 1.5.bmp";
    ChooseFromMenu('F', {'B'});
    EXPECT_EQ(LastPrompt(), "BitMap Skin Image has been saved");
    EXPECT_FALSE(main->Document.SkinModified);
    EXPECT_EQ(main->Caption(), "Vantreo Skin Builder - Ocean 1");
    EXPECT_EQ(GetSetting("Vantreo", "Settings", "LstSavedSkinLoc"), folder);
    EXPECT_TRUE(LoadPicture(folder + "Ocean 1.bmp", kSheetPictureBound));

    dialogs.path = folder + "Ocean 1.gif";
    MessageBoxes().answers.push_back(IDYES); // to replace its bitmap
    ChooseFromMenu('F', {'G'});
    EXPECT_EQ(LastPrompt(), "Optimized GIF Skin Image has been saved");
    EXPECT_TRUE(LoadPicture(folder + "Ocean 1.gif", kSheetPictureBound));
    EXPECT_EQ(dialogs.initDirs.back(), folder);
    dialogs.path = "";
    ChooseFromMenu('F', {'L'});
    EXPECT_EQ(dialogs.defaultExts.back(), "") << "Load offers no extension of a save";
}

TEST_F(CreatorMain, PreviewShowsThePreviewFileOnTheSkinnedPreviewForm) {
    // A preview file that cannot be written (a folder of that name) is named in a message.
    const std::string preview = main->ProgramFolder + "Preview.skn";
    DeleteFileA(preview.c_str());
    ASSERT_TRUE(CreateDirectoryA(preview.c_str(), nullptr));
    // ... and the temp folder, where it would go next, does not exist.
    char temp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", temp, sizeof temp);
    SetEnvironmentVariableA("TMP", "C:\\no such folder");
    ChooseFromMenu('V', {'P'});
    SetEnvironmentVariableA("TMP", temp[0] ? temp : nullptr);
    RemoveDirectoryA(preview.c_str());
    EXPECT_NE(LastPrompt().find("Preview.skn"), std::string::npos);
    EXPECT_FALSE(Default<PreviewFrm>().Loaded());

    // The preview file is written beside the program, no name is asked for, and the
    // preview form shows it under the skin's name with Frm1's form icon.
    dialogs.path = main->ProgramFolder + "Skins\\Amber Dusk.gif";
    ChooseFromMenu('F', {'L'});
    dialogs.shown = 0;
    MessageBoxes().prompts.clear();
    main->Frm[1]->IcoImage->Picture(forms::test::IconPicture());
    PreviewFrm& form = Default<PreviewFrm>();
    char caption[64] = {};
    bool hadIcon = false;
    forms::test::WithInput(
        [] {},
        [&] {
            MenuKeys('V', {'P'});
            ASSERT_TRUE(
                forms::test::WaitFor([&] { return IsWindowVisible(form.hWnd()) != FALSE; }));
            GetWindowTextA(form.hWnd(), caption, sizeof caption);
            hadIcon = SendMessageA(form.hWnd(), WM_GETICON, ICON_BIG, 0) != 0;
            forms::test::WaitFor([&] { return GetForegroundWindow() == form.hWnd(); });
            qel::test::SaveWindowShot("creator_menu_preview", form.hWnd());
            EXPECT_TRUE(forms::test::ClickUntil( // "Exit" closes it
                form.Command2->hWnd(), [&] { return !IsWindow(form.hWnd()); }));
        });
    EXPECT_STREQ(caption, "Previewing Amber Dusk");
    EXPECT_TRUE(hadIcon);
    EXPECT_FALSE(form.Loaded());
    EXPECT_TRUE(LoadPicture(preview, kSheetPictureBound));
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_TRUE(MessageBoxes().prompts.empty());
}

// Each program alone in a folder has no skin control: a run-time error says so,
// and the program ends failed.
class ProgramStart : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};
TEST_P(ProgramStart, AFailedStartIsReportedAsARunTimeError) {
    const auto [title, built] = GetParam(); // the program's title, its built file
    const std::string folder = qel::test::OutputPath("alone\\"), program = folder + title + ".exe";
    ASSERT_TRUE(CopyFileA(qel::test::WindowsPath(built).c_str(), program.c_str(), FALSE));
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &start, &info));
    const UniqueKernelObject process(info.hProcess), thread(info.hThread);
    HWND box = nullptr;
    EXPECT_TRUE(forms::test::WaitFor(
        [&] { return (box = FindWindowA("#32770", title)) != nullptr; }, 20000));
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the message box's text
    EXPECT_EQ(std::string(text).rfind("Run-time error '429':", 0), 0u) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 0);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 1u);
}
INSTANTIATE_TEST_SUITE_P(EachProgram, ProgramStart,
                         ::testing::Values(std::pair{"Qel Skin Creator", QEL_CREATOR_EXE},
                                           std::pair{"Qel Showcase", QEL_SHOWCASE_EXE}));

// Goals, printed: twenty new skins leave the GDI and USER counts as they
// were, and how long a shown main window takes to be painted skinned.
TEST_F(CreatorMain, NewSkinsLeakNothing) {
    dialogs.path = main->ProgramFolder + "Skins\\Amber Dusk.gif";
    ChooseFromMenu('F', {'L'}); // the boxes hold pictures to let go
    main->mnuCreate->Clicked();
    PumpUntilIdle();
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    for (int i = 0; i < 20; ++i) {
        main->Document.SkinModified = true;
        MessageBoxes().answers.push_back(IDNO);
        main->mnuCreate->Clicked();
    }
    PumpUntilIdle();
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);

    main->Unload();
    const DWORD start = GetTickCount();
    main->Show();
    RedrawWindow(main->hWnd(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW);
    GdiFlush();
    printf("The skinned main window with its previews painted %lu ms after Show.\n",
           GetTickCount() - start);
}

TEST_F(CreatorMain, HelpOpensTheMakersPages) {
    std::vector<std::string> opened;
    ShellSeam shell{[&](const std::string& target) { opened.push_back(target); }};
    ChooseFromMenu('H', {VK_DOWN, VK_RETURN});
    ChooseFromMenu('H', {VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(opened, (std::vector<std::string>{MainFrm::kHomePage, MainFrm::kTechSupport}));
}

TEST_F(CreatorMain, GraphicSizeFormChecksTheDocumentsPieces) {
    dialogs.path = main->ProgramFolder + "Skins\\Sea Glass.gif";
    ChooseFromMenu('F', {'L'});
    SizeCheckFrm& check = Default<SizeCheckFrm>();
    auto open = [&] {
        SetForegroundWindow(main->hWnd());
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main->hWnd(); }));
        ChooseFromMenu('V', {VK_DOWN, VK_DOWN, VK_RETURN}); // "Graphic Size Frm"
        // Brought forward, loaded or not.
        ASSERT_TRUE(
            PumpUntil([&] { return check.Loaded() && GetForegroundWindow() == check.hWnd(); }));
    };
    auto passes = [&] {
        return check.Label2->Caption() == "Graphic Sizes Currently Pass Validation";
    };
    open();
    // The document's pixels in the main window's twips, and its graphics.
    SkinDocument& document = main->Document;
    const auto twips = [](int pixels) { return std::to_string(pixels * 15); };
    EXPECT_EQ(check.Grid1->TextMatrix(2, 1), twips(document.PieceBox(Piece::TopLeft, 1).width));
    EXPECT_EQ(check.Grid2->TextMatrix(9, 4), twips(document.PieceBox(Piece::BtmMid, 4).height));
    EXPECT_EQ(SheetFromPicture(check.Boxes->Image(Piece::BtmMid, 4).get()),
              document.PieceBox(Piece::BtmMid, 4).Shown());
    EXPECT_TRUE(passes());
    qel::test::SaveWindowShot("creator_size_check", check.hWnd());

    // A piece one pixel wider: the open form keeps the sizes it read; a fresh one fails.
    document.PieceBox(Piece::BtmMid, 4).width += 1;
    open();
    EXPECT_TRUE(passes());
    WhileInput([&] { ClickOn(check.Command1->hWnd()); });
    ASSERT_TRUE(PumpUntil([&] { return !check.Loaded(); }));
    open();
    EXPECT_FALSE(passes());
}

TEST_F(CreatorMain, ExitAsksWhileModifiedAndEndsWithEveryForm) {
    TypeInto(*main->Text[Field::ButtonGap], "7", VK_TAB);
    ChooseFromMenu('V', {VK_DOWN, VK_DOWN, VK_RETURN}); // the size check beside the main window
    Form& other = Default<SizeCheckFrm>();
    ASSERT_TRUE(PumpUntil([&] { return other.Loaded(); }));
    Form& hidden = Default<UpdateWhatFrm>(); // a dialog loaded and not shown
    hidden.Load();
    SetForegroundWindow(main->hWnd());
    PumpUntilIdle();
    for (int answer : {IDCANCEL, IDYES}) { // Yes: the save did not happen
        MessageBoxes().answers.push_back(answer);
        ChooseFromMenu('F', {'X'});
        EXPECT_EQ(LastPrompt(), "Do you wish to Save Changes before Exiting?");
        EXPECT_TRUE(main->Loaded());
        EXPECT_TRUE(main->Frm[1]->Loaded());
    }
    MessageBoxes().answers.push_back(IDNO);
    ChooseFromMenu('F', {'X'});
    EXPECT_FALSE(main->Loaded());
    EXPECT_FALSE(other.Loaded());
    EXPECT_FALSE(hidden.Loaded());
    EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST_F(CreatorMain, AnsweringYesAndSavingEndsTheProgram) {
    main->Document.SkinModified = true;
    dialogs.path = qel::test::OutputPath("saved\\AtExit.bmp");
    MessageBoxes().answers.push_back(IDYES);
    WhileInput([&] { PostMessageA(main->hWnd(), WM_CLOSE, 0, 0); });
    ASSERT_TRUE(PumpUntil([&] { return !main->Loaded(); }));
    EXPECT_EQ(LastPrompt(), "BitMap Skin Image has been saved");
    EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST_F(CreatorMain, ClosingUnmodifiedAsksNothing) {
    WhileInput([&] { PostMessageA(main->hWnd(), WM_CLOSE, 0, 0); });
    ASSERT_TRUE(PumpUntil([&] { return !main->Loaded(); }));
    EXPECT_TRUE(MessageBoxes().prompts.empty());
    EXPECT_TRUE(Form::LoadedForms().empty());
}

} // namespace
} // namespace qel::creator
