// Loading and unloading forms again and again leaves the process's GDI and USER
// object counts where they began: every window, brush, icon, picture, hosted
// control, foreign window and embedded form goes with its form.
#include <windows.h>
#include <ocidl.h>
#include "FormsTestControl_h.h"

#include "forms/ActiveXControl.h"
#include "forms/ActiveXSource.h"
#include "forms/CheckBox.h"
#include "forms/FileListBox.h"
#include "forms/ForeignControl.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/PictureBox.h"
#include "forms/PropertyBag.h"
#include "forms/TextBox.h"
#include "imaging/ucCanvas.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Resources.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::forms {
namespace {

using test::IconPicture;

class BusyForm : public Form {
public:
    BusyForm() : Form("BusyForm") {}

protected:
    void Design() override {
        Caption("Busy");
        ClientSize(6000, 3000);
        BackColor(0x00336699);
        Add<Label>("Label1", 100, 100, 1500, 200)->BackColor(0x000000FF);
        Add<CheckBox>("Check1", 100, 400, 1500, 200)->ForeColor(0x0000FF00);
        Frame* frame = Add<Frame>("Frame1", 1800, 100, 1500, 1000);
        frame->Add<TextBox>("Text1", 100, 300, 1200, 300)->BackColor(0x00FFFF00);
        PictureBox* box = Add<PictureBox>("Picture1", 0, 0, 6000, 400);
        box->AlignMode(Align::Top);
        box->AutoRedraw(true);
        Add<ListBox>("List1", 3500, 600, 1200, 1200)->AddItem("one");
        Add<FileListBox>("File1", 3500, 1900, 1200, 900);
        Add<Image>("Image1", 5000, 600, 300, 300);
        AddLine("Line1", 100, 2800, 3000, 2800);
        AddMenu("mnuFile", "&File")->Add("mnuOpen", "&Open");
        AddActiveX("Qel_SkinCtrl1",
                   ActiveXSource::FromDll("FormsTestControl.dll", CLSID_FormsTestCtrl),
                   PropertyBag::With({{L"Number", 3}}).get());
        Icon(IconPicture());
    }
};

// A form shown inside a box of the next form.
class ChildForm : public Form {
public:
    ChildForm() : Form("ChildForm") {}

protected:
    void Design() override {
        Border(BorderStyle::None);
        ClientSize(1200, 900);
        Add<Label>("Label1", 0, 0, 900, 200)->Bold(true);
    }
};

// The controls and settings added for the skin creator's forms.
class CreatorLikeForm : public Form {
public:
    CreatorLikeForm() : Form("CreatorLikeForm") {}
    PictureBox* Picture1 = nullptr;

protected:
    void Design() override {
        ClientSize(6000, 3000);
        Picture1 = Add<PictureBox>("Picture1", 100, 100, 2500, 2500);
        Picture1->AutoRedraw(true);
        Label* hint = Picture1->Add<Label>("Label25", 100, 100, 2000, 200);
        hint->Transparent(true);
        hint->Bold(true);
        Image* image = Add<Image>("Image1", 2800, 100, 600, 600);
        image->Bordered(true);
        WindowDC screen = WindowDC::Client(nullptr);
        image->Picture(
            PictureFromBitmap(UniqueBitmap(CreateCompatibleBitmap(screen.get(), 20, 20))));
        PictureBox* sized = Add<PictureBox>("picTopLeft", 2800, 900, 300, 300);
        sized->AutoSize(true);
        sized->Picture(image->Picture());
        Add<TextBox>("Text1", 2800, 1500, 1200, 300)->SelLength(1);
        Add<ForeignControl<ucCanvas>>("ucCanvas", 4200, 100, 1500, 1500);
        MouseIcon(IconPicture());
        MousePointer(Pointer::Custom);
        OnLoad = [this] { Picture1->Image(); };
    }
};

TEST(LeakTest, AHundredRoundsOfTheNewControlsAndEmbeddedFormsLeaveNoObjectsBehind) {
    CreatorLikeForm form;
    ChildForm child;
    auto round = [&] {
        form.Load(); // hidden: windows are made all the same, and faster

        child.ShowInside(*form.Picture1);
        child.WindowState(WindowState::Maximized);
        child.Unload();
        child.ShowInside(*form.Picture1);
        qel::test::PumpUntilIdle();
        form.Unload(); // takes the child form with it
    };
    for (int i = 0; i < 2; ++i)
        round();
    qel::test::PumpUntilIdle();
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    for (int i = 0; i < 100; ++i)
        round();
    qel::test::PumpUntilIdle();
    EXPECT_FALSE(child.Loaded());
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
}

TEST(LeakTest, LoadingAndUnloadingFormsLeavesNoObjectsBehind) {
    BusyForm form;
    // First uses: classes registered, fonts, libraries and the platform's caches loaded.
    for (int i = 0; i < 2; ++i) {
        form.Show();
        qel::test::PumpUntilIdle();
        form.Unload();
    }
    qel::test::PumpUntilIdle();
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    for (int i = 0; i < 40; ++i) {
        form.Show();
        qel::test::PumpUntilIdle();
        form.Unload();
    }
    qel::test::PumpUntilIdle();
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
}

} // namespace
} // namespace qel::forms
