// The live previews' own reactions with the real mouse: the eyedropper (the
// swatch follows the pointer, a press on the bare form takes the colour, a
// press on a label takes nothing), the mock caption buttons' looks and the
// restore/maximise swap, the menu hover, the icon choice and Frm1's focus.
#include "creator/shell/LivePreviewFrm.h"
#include "creator/shell/MainFrm.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/TabControl.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <fstream>

namespace qel::creator {
namespace {

using namespace forms;
using qel::test::PumpFor;
using qel::test::PumpUntil;
using qel::test::WhileInput;

constexpr COLORREF kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000, kYellow = 0x0000FFFF,
                   kPlain = 0x00E0E0E0;

// The colour on screen at a client point of a window.
COLORREF PixelAt(HWND hwnd, int x, int y) {
    POINT p = forms::test::ClientPoint(hwnd, x, y);
    return qel::test::ScreenPixel(p.x, p.y);
}

void MoveTo(HWND hwnd, int x, int y) {
    POINT p = forms::test::ClientPoint(hwnd, x, y);
    qel::test::MouseMove(p.x, p.y);
    Sleep(40);
}

void ClickAt(HWND hwnd, int x, int y) {
    POINT p = forms::test::ClientPoint(hwnd, x, y);
    qel::test::Click(p.x, p.y);
    Sleep(40);
}

// Writes a 16 x 16 icon of one colour (32 bits per pixel, no transparency).
void WriteIcon(const std::string& path, COLORREF colour) {
    BITMAPINFOHEADER header{sizeof header, 16, 32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD pixel = GetBValue(colour) | GetGValue(colour) << 8 | GetRValue(colour) << 16;
    const std::vector<DWORD> pixels(16 * 16, pixel);
    const std::vector<char> mask(16 * 4, 0);
    const DWORD size = sizeof header + 16 * 16 * 4 + static_cast<DWORD>(mask.size());
    const WORD directory[3] = {0, 1, 1};
    const BYTE entry[8] = {16, 16, 0, 0, 1, 0, 32, 0};
    const DWORD place[2] = {size, 6 + 16};
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(directory), sizeof directory);
    file.write(reinterpret_cast<const char*>(entry), sizeof entry);
    file.write(reinterpret_cast<const char*>(place), sizeof place);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
    file.write(mask.data(), static_cast<std::streamsize>(mask.size()));
}

class PreviewForms : public ::testing::Test {
protected:
    void SetUp() override {
        main = &Default<MainFrm>();
        main->Show();
        SetForegroundWindow(main->hWnd());
        main->C1Tab1->CurrentPage(0);
        main->C1Tab2->CurrentPage(0);
        PumpFor(150);
        first = main->Frm[0];
    }
    void TearDown() override {
        qel::test::MouseUp();
        if (main->Loaded()) main->Document.SkinModified = false;
        for (Form* f : std::vector<Form*>(Form::LoadedForms()))
            f->Unload();
        PumpFor(50);
    }
    // Gives caption button `button`'s box of `state` a graphic of one colour.
    void ButtonGraphic(CaptionButton button, int state, COLORREF colour) {
        main->Document.ButtonBox(button, state).tag = "99";
        main->ButtonBox[static_cast<int>(button)][state - 1]->Picture(
            forms::test::SolidPicture(16, 16, colour));
    }

    MainFrm* main = nullptr;
    LivePreviewFrm* first = nullptr;
};

TEST_F(PreviewForms, TheEyedropperFollowsThePointerAndAPressTakesTheColour) {
    HWND form = first->hWnd();
    // Something to pick on Frm1's kept drawing.
    UniqueBrush red(CreateSolidBrush(kRed));
    const RECT patch{100, 100, 140, 140};
    FillRect(first->hDC(), &patch, red.get());
    first->Refresh();

    WhileInput([&] { forms::test::ClickOn(main->Command[1]->hWnd()); }); // Command2: swatch 0
    ASSERT_TRUE(PumpUntil([&] { return main->ColorPick.active; }));
    WhileInput([&] { MoveTo(form, 120, 120); });
    ASSERT_TRUE(PumpUntil([&] { return main->picColor[0]->BackColor() == kRed; }));
    // The cross-hair shows over the previews while the pick is pending.
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    GetCursorInfo(&cursor);
    EXPECT_NE(cursor.hCursor, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_NE(cursor.hCursor, nullptr);
    WhileInput([&] { MoveTo(form, 60, 60); });
    ASSERT_TRUE(PumpUntil([&] { return main->picColor[0]->BackColor() == kPlain; }));
    EXPECT_FALSE(main->Document.SkinModified);
    // A read where the drawing has no pixel never reaches the swatch.
    first->OnMouseMove(0, 0, -5, 900);
    EXPECT_EQ(main->Document.picColor(0).backColor, kPlain);

    // A press on a label takes nothing; the pick stays pending.
    WhileInput([&] { forms::test::ClickOn(first->Label3->hWnd()); });
    PumpFor(80);
    EXPECT_TRUE(main->ColorPick.active);
    WhileInput([&] { ClickAt(form, 120, 120); });
    ASSERT_TRUE(PumpUntil([&] { return !main->ColorPick.active; }));
    EXPECT_EQ(main->Document.picColor(0).backColor, kRed);
    EXPECT_EQ(PixelAt(main->picColor[0]->hWnd(), 10, 8), kRed);
    EXPECT_EQ(main->Frm[0]->BackColor(), kRed);
    EXPECT_EQ(main->Frm[2]->BackColor(), kRed);
    EXPECT_EQ(main->Frm[1]->BackColor(), kPlain);
    EXPECT_TRUE(main->Document.SkinModified);
    for (Form* f : main->Frm)
        EXPECT_EQ(f->MousePointer(), Pointer::Arrow);

    // Swatch 2 takes the colour and recolours no preview; a press with no
    // pick pending changes nothing.
    main->Document.SkinModified = false;
    WhileInput([&] { forms::test::ClickOn(main->Command[4]->hWnd()); }); // Command5: swatch 2
    ASSERT_TRUE(PumpUntil([&] { return main->ColorPick.active; }));
    WhileInput([&] { ClickAt(form, 5, 200); });
    ASSERT_TRUE(PumpUntil([&] { return !main->ColorPick.active; }));
    EXPECT_EQ(main->Document.picColor(2).backColor, GetPixel(first->hDC(), 5, 200));
    EXPECT_EQ(main->Frm[0]->BackColor(), kRed);
    main->Document.SkinModified = false;
    WhileInput([&] { ClickAt(form, 120, 120); });
    PumpFor(80);
    EXPECT_FALSE(main->Document.SkinModified);

    // A press read outside the drawing ends the pick and keeps the colour.
    main->ArmEyedropper(10);
    first->OnMouseDown(1, 0, 400, -3);
    EXPECT_FALSE(main->ColorPick.active);
    EXPECT_EQ(main->Document.picColor(10).backColor, kPlain);

    // Goal: a thousand picks leave the GDI and USER counts where they were.
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    for (int i = 0; i < 1000; ++i) {
        main->ArmEyedropper(i % 2 ? 0 : 7);
        first->OnMouseDown(1, 0, 120, 120);
    }
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
}

TEST_F(PreviewForms, MockButtonsShowTheirStatesAndSwapRestoreAndMaximise) {
    ButtonGraphic(CaptionButton::Close, 1, kRed);
    ButtonGraphic(CaptionButton::Close, 2, kYellow);
    ButtonGraphic(CaptionButton::Close, 3, kGreen);
    ButtonGraphic(CaptionButton::Maximize, 1, kBlue);
    ButtonGraphic(CaptionButton::Maximize, 2, kYellow);
    HWND form = first->hWnd();
    auto shows = [&](int image, COLORREF colour) {
        return PumpUntil([&] {
            const Image& i = *first->Image2[image];
            return PixelAt(form, static_cast<int>(i.Left()) + 8, static_cast<int>(i.Top()) + 8) ==
                   colour;
        });
    };
    WhileInput([&] { MoveTo(form, 150, 150); }); // the rest look
    ASSERT_TRUE(shows(1, kRed));
    ASSERT_TRUE(shows(3, kBlue));
    // Goal: a thousand rest resets that change nothing repaint nothing.
    std::vector<HWND> looks{first->Label2->hWnd()};
    for (int k = 1; k <= 4; ++k)
        looks.push_back(first->Image2[k]->hWnd());
    for (HWND look : looks)
        ValidateRect(look, nullptr);
    for (int i = 0; i < 1000; ++i)
        first->OnMouseMove(0, 0, 150, 150);
    for (HWND look : looks)
        EXPECT_FALSE(GetUpdateRect(look, nullptr, FALSE));
    WhileInput([&] { MoveTo(form, 290, 10); }); // over close: Highlight
    EXPECT_TRUE(shows(1, kGreen));
    WhileInput([&] { MoveTo(form, 270, 10); }); // over maximise: no Highlight graphic
    PumpFor(80);
    EXPECT_TRUE(shows(1, kGreen));
    WhileInput([&] { // a press on close shows Down, and its release keeps it
        ClickAt(form, 290, 10);
    });
    EXPECT_TRUE(shows(1, kYellow));
    WhileInput([&] {
        MoveTo(form, 270, 10);
        qel::test::MouseDown();
        Sleep(40);
    });
    EXPECT_TRUE(shows(3, kYellow)); // Down
    EXPECT_TRUE(shows(1, kRed));    // the others at rest
    WhileInput([&] { qel::test::MouseUp(); });
    // The click swapped maximise for restore on Frm1.
    ASSERT_TRUE(PumpUntil([&] { return !first->Image2[3]->Visible(); }));
    EXPECT_TRUE(first->Image2[2]->Visible());
    WhileInput([&] { ClickAt(form, 270, 30); });
    ASSERT_TRUE(PumpUntil([&] { return first->Image2[3]->Visible(); }));
    EXPECT_FALSE(first->Image2[2]->Visible());
    EXPECT_TRUE(first->Image2[3]->Visible()); // the close click changed nothing

    // Frm3's maximise image maximises Frm1 inside its box, and restores it.
    main->C1Tab2->CurrentPage(1);
    PumpFor(100);
    LivePreviewFrm& third = *main->Frm[2];
    const RECT normal = qel::test::WindowRectOf(form);
    WhileInput([&] { ClickAt(third.hWnd(), 270, 10); });
    ASSERT_TRUE(PumpUntil([&] { return first->WindowState() == WindowState::Maximized; }));
    EXPECT_TRUE(third.Image2[2]->Visible());
    EXPECT_FALSE(third.Image2[3]->Visible());
    RECT box{};
    GetClientRect(main->Picture[0]->hWnd(), &box);
    RECT inside{};
    GetClientRect(form, &inside);
    EXPECT_EQ(inside.right, box.right);
    EXPECT_EQ(inside.bottom, box.bottom);
    main->C1Tab2->CurrentPage(0);
    PumpFor(100);
    qel::test::SaveWindowShot("creator_frm1_maximised", main->Picture[0]->hWnd());
    main->C1Tab2->CurrentPage(1);
    PumpFor(100);
    WhileInput([&] { ClickAt(third.hWnd(), 270, 30); });
    ASSERT_TRUE(PumpUntil([&] { return first->WindowState() == WindowState::Normal; }));
    EXPECT_TRUE(third.Image2[3]->Visible());
    const RECT restored = qel::test::WindowRectOf(form);
    EXPECT_EQ(restored.right - restored.left, normal.right - normal.left);
}

TEST_F(PreviewForms, MenuHoverIconChoiceAndFocus) {
    main->Document.picColor(6).backColor = kRed;
    HWND form = first->hWnd();
    // Frm1 hands the focus it got from a press to the main window.
    WhileInput([&] { ClickAt(form, 150, 150); });
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == main->hWnd(); }));
    WhileInput([&] { MoveTo(form, 73, 26); }); // over the mock menu
    ASSERT_TRUE(PumpUntil([&] { return first->Label2->ForeColor() == kRed; }));
    WhileInput([&] { MoveTo(form, 150, 150); });
    ASSERT_TRUE(PumpUntil(
        [&] { return first->Label2->ForeColor() == main->Document.picColor(4).backColor; }));

    // Frm3 keeps the focus.
    main->C1Tab2->CurrentPage(1);
    PumpFor(100);
    WhileInput([&] { ClickAt(main->Frm[2]->hWnd(), 150, 150); });
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == main->Frm[2]->hWnd(); }));
    main->C1Tab2->CurrentPage(0);

    // The icon: a cancelled dialog still ends a pending pick; a chosen icon
    // goes to all four previews.
    main->Check[4]->Value(1); // "Draw Form Icon"
    main->Document.SkinModified = false;
    PumpFor(100);
    std::string path, title, filter, extension;
    CommonDialogSeam seam{[&](DialogKind, const CommonDialog& dialog) {
        title = dialog.DialogTitle();
        filter = dialog.Filter();
        extension = dialog.DefaultExt();
        return CommonDialog::Answer{path, {}};
    }};
    main->ArmEyedropper(4);
    auto doubleClickIcon = [&] {
        WhileInput([&] {
            ClickAt(form, 12, 12);
            ClickAt(form, 12, 12);
        });
    };
    doubleClickIcon();
    ASSERT_TRUE(PumpUntil([&] { return title == "Select New Icon"; }));
    EXPECT_EQ(filter, "Icon Files (*.ico)|*.ico");
    EXPECT_EQ(extension, "*.ico");
    EXPECT_FALSE(main->ColorPick.active);
    for (Form* f : main->Frm)
        EXPECT_EQ(f->MousePointer(), Pointer::Arrow);
    EXPECT_FALSE(first->IcoImage->Picture());

    path = qel::test::OutputPath("SampleIcon.ico");
    WriteIcon(path, kGreen);
    doubleClickIcon();
    ASSERT_TRUE(PumpUntil([&] { return static_cast<bool>(main->Frm[3]->IcoImage->Picture()); }));
    for (LivePreviewFrm* f : main->Frm)
        EXPECT_EQ(PictureType(f->IcoImage->Picture().get()), PICTYPE_ICON);
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(form, 12, 12) == kGreen; }));
    EXPECT_FALSE(main->Document.SkinModified);
}

} // namespace
} // namespace qel::creator
