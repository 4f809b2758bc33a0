// Windows inside windows: a borderless form shown inside a picture box of another
// form, and a child window made by other code placed on a form as a control.
#include "base/LateBound.h"
#include "base/TypeName.h"
#include "forms/ForeignControl.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "forms/RuntimeError.h"
#include "imaging/ucCanvas.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"
#include "base/Twips.h"

#include <gtest/gtest.h>

namespace qel::forms {
namespace {

using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;

class PreviewForm : public Form {
public:
    PreviewForm() : Form("Frm1") {}
    int presses = 0, focused = 0;

protected:
    void Design() override {
        Border(BorderStyle::None);
        ClientSize(1500, 1200);
        BackColor(0x0000FF00);
        OnMouseDown = [this](int, int, float, float) { ++presses; };
        OnGotFocus = [this] { ++focused; };
    }
};

class HostForm : public Form {
public:
    HostForm() : Form("MainFrm") {}
    PictureBox* Picture1 = nullptr; // measures in pixels
    ForeignControl<ucCanvas>* ucCanvas1 = nullptr;

protected:
    void Design() override {
        Caption("Host");
        ClientSize(6000, 4000);
        StartUp(StartUpPosition::CenterScreen);
        Picture1 = Add<PictureBox>("Picture1", 150, 150, 3000, 3000);
        Picture1->ScaleMode(Scale::Pixels);
        Picture1->BackColor(0);
        ucCanvas1 = Add<ForeignControl<ucCanvas>>("ucCanvas", 3300, 150, 2400, 1800);
    }
};

class EmbedTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Show();
        PumpUntil([&] { return GetActiveWindow() == host.hWnd(); });
    }
    void TearDown() override {
        host.Unload();
        preview.Unload();
        PumpUntilIdle();
    }
    HostForm host;
    PreviewForm preview;
};

TEST_F(EmbedTest, AFormShownInsideABoxStaysThereWithoutTakingTheActivation) {
    preview.ShowInside(*host.Picture1);
    preview.Move(10, 20, preview.Width(), preview.Height());
    PumpUntilIdle();
    EXPECT_EQ(GetParent(preview.hWnd()), host.Picture1->hWnd());
    EXPECT_EQ(GetActiveWindow(), host.hWnd());
    EXPECT_EQ(preview.Left(), 10) << "in the box's scale";
    POINT corner = test::ClientPoint(preview.hWnd(), 0, 0);
    POINT expected = test::ClientPoint(host.Picture1->hWnd(), 10, 20);
    EXPECT_EQ(corner.x, expected.x);
    EXPECT_EQ(corner.y, expected.y);
    EXPECT_EQ(qel::test::ScreenPixel(corner.x + 5, corner.y + 5), RGB(0, 255, 0));

    // A real click reaches the embedded form; the host stays the active window.
    qel::test::Click(corner.x + 5, corner.y + 5);
    ASSERT_TRUE(PumpUntil([&] { return preview.presses == 1; }));
    EXPECT_EQ(preview.focused, 1) << "pressed, it takes the focus";
    EXPECT_EQ(GetActiveWindow(), host.hWnd());
    EXPECT_EQ(GetForegroundWindow(), host.hWnd());

    preview.WindowState(WindowState::Maximized);
    PumpUntilIdle();
    RECT box = qel::test::ClientRectOf(host.Picture1->hWnd());
    RECT form = qel::test::WindowRectOf(preview.hWnd());
    MapWindowPoints(nullptr, host.Picture1->hWnd(), reinterpret_cast<POINT*>(&form), 2);
    EXPECT_TRUE(EqualRect(&box, &form)) << "maximised fills the box";
    EXPECT_EQ(GetActiveWindow(), host.hWnd());
    EXPECT_THROW(preview.Show(ShowMode::Modal), RuntimeError);

    // Unloaded and shown again.
    preview.Unload();
    EXPECT_FALSE(preview.Loaded());
    preview.ShowInside(*host.Picture1);
    EXPECT_EQ(GetParent(preview.hWnd()), host.Picture1->hWnd());
    EXPECT_EQ(preview.WindowState(), WindowState::Normal);

    // The box's form takes the embedded form with it when it unloads.
    host.Unload();
    EXPECT_FALSE(preview.Loaded());
    EXPECT_EQ(preview.Host(), nullptr);
    preview.Show();
    EXPECT_EQ(GetParent(preview.hWnd()), nullptr) << "loaded again as a form of its own";
}

TEST_F(EmbedTest, AnEmbeddedFormStaysDrawnWhileItsHostIsResized) {
    preview.ShowInside(*host.Picture1);
    PumpUntilIdle();
    RECT frame = qel::test::WindowRectOf(host.hWnd());
    POINT inside = test::ClientPoint(preview.hWnd(), 10, 10);
    const POINT edge{frame.right - 2, (frame.top + frame.bottom) / 2};
    COLORREF during = 0;
    qel::test::WhileInput([&] {
        qel::test::MouseMove(edge.x, edge.y);
        qel::test::MouseDown();
        for (int step = 1; step <= 6; ++step) {
            qel::test::MouseMove(edge.x + step * 15, edge.y);
            Sleep(30); // paces the drag: nothing marks a step as taken
        }
        during = qel::test::ScreenPixel(inside.x, inside.y);
        qel::test::SaveWindowShot("forms-embedded-resize", host.hWnd(), 20);
        qel::test::MouseUp();
    });
    EXPECT_EQ(during, RGB(0, 255, 0)) << "the embedded form in the middle of the drag";
    RECT after = qel::test::WindowRectOf(host.hWnd());
    EXPECT_GT(after.right, frame.right) << "the drag resized the host";
}

TEST_F(EmbedTest, AForeignWindowIsAControlOfTheForm) {
    HWND canvas = host.ucCanvas1->Inner().hWnd();
    ASSERT_TRUE(IsWindow(canvas));
    EXPECT_EQ(GetParent(canvas), host.hWnd());
    host.ucCanvas1->Move(300, 300, 1500, 1500);
    RECT r = qel::test::ClientRectOf(canvas);
    EXPECT_EQ(r.right - r.left, PixelsFromTwipsX(1500));
    EXPECT_EQ(host.FindControl("ucCanvas"), host.ucCanvas1);

    // Automation clients (the skin control) read and set its name and colours.
    IDispatch* control = host.ucCanvas1->Object();
    EXPECT_EQ(TypeName(control), L"ForeignControl");
    VARIANT v;
    ASSERT_TRUE(GetProperty(control, L"Name", &v));
    EXPECT_STREQ(V_BSTR(&v), L"ucCanvas");
    VariantClear(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = 0x00123456;
    EXPECT_TRUE(PutProperty(control, L"BackColor", v));
    EXPECT_EQ(host.ucCanvas1->BackColor(), 0x00123456u);

    // The window goes with the form, made and destroyed by its own code.
    host.Unload();
    EXPECT_FALSE(IsWindow(canvas));
}

} // namespace
} // namespace qel::forms
