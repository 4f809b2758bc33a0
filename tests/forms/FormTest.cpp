// Forms: sizes in twips, frames, placement, load and unload with default
// instances, modal show, and the end of the program's message loop.
#include "base/LateBound.h"
#include "base/Twips.h"
#include "forms/App.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/RuntimeError.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::forms {
namespace {

using qel::test::ClientRectOf;
using qel::test::PumpUntilIdle;
using qel::test::WindowRectOf;
using test::WaitFor;
using test::WithInput;

// A dialog the size of the showcase's main form, with one label and one button.
class DialogForm : public Form {
public:
    DialogForm() : Form("DialogForm") {}
    Label* Label1 = nullptr;
    CommandButton* Command1 = nullptr;
    CommandButton* Command2 = nullptr;
    int loads = 0, exits = 0;

protected:
    void Design() override {
        Caption("Dialog");
        Border(BorderStyle::FixedDialog);
        ClientSize(5565, 3015);
        StartUp(StartUpPosition::CenterScreen);
        Label1 = Add<Label>("Label1", 2400, 225, 1005, 195);
        Label1->Caption("Internal Skins:");
        Command1 = Add<CommandButton>("Command1", 225, 1800, 1665, 465);
        Command1->Caption("Exit");
        Command1->OnClick = [this] {
            ++exits;
            Unload();
        };
        Command2 = Add<CommandButton>("Command2", 2175, 2400, 990, 465);
        Command2->Caption("Hide");
        Command2->OnClick = [this] { Hide(); };
        OnLoad = [this] { ++loads; };
    }
};

class SizableForm : public Form {
public:
    SizableForm() : Form("SizableForm") {}

protected:
    void Design() override {
        Caption("Sizable");
        ClientSize(7095, 3945);
        StartUp(StartUpPosition::CenterOwner);
    }
};

class FormTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (Form* form : std::vector<Form*>(Form::LoadedForms()))
            form->Unload();
        qel::test::MouseUp();
        PumpUntilIdle();
    }
};

TEST_F(FormTest, ClientSizeScaleAndControlPositionsAreInTwips) {
    ASSERT_EQ(TwipsPerPixelX(), 15.0) << "the tests assume 96 pixels per inch";
    DialogForm form;
    form.Load();
    RECT client = ClientRectOf(form.hWnd()), outer = WindowRectOf(form.hWnd());
    EXPECT_EQ(client.right, 371);
    EXPECT_EQ(client.bottom, 201);
    EXPECT_EQ(form.ScaleWidth(), 5565);
    EXPECT_EQ(form.ScaleHeight(), 3015);
    EXPECT_EQ(form.Width(), (outer.right - outer.left) * 15.0f);
    EXPECT_EQ(form.Height(), (outer.bottom - outer.top) * 15.0f);
    EXPECT_GT(form.Width(), form.ScaleWidth());

    EXPECT_EQ(form.Label1->Left(), 2400);
    EXPECT_EQ(form.Label1->Top(), 225);
    EXPECT_EQ(form.Label1->Width(), 1005);
    EXPECT_EQ(form.Label1->Height(), 195);
    RECT label = WindowRectOf(form.Label1->hWnd());
    POINT origin{0, 0};
    ClientToScreen(form.hWnd(), &origin);
    EXPECT_EQ(label.left - origin.x, 160);
    EXPECT_EQ(label.right - label.left, 67);

    form.ScaleMode(Scale::Pixels);
    EXPECT_EQ(form.ScaleWidth(), 371);
    EXPECT_EQ(form.Label1->Left(), 160);
    form.Label1->Move(10, 20, 30, 40);
    label = WindowRectOf(form.Label1->hWnd());
    EXPECT_EQ(label.left - origin.x, 10);
    EXPECT_EQ(label.bottom - label.top, 40);
}

TEST_F(FormTest, BorderStylesGiveTheirFramesAndKeepTheClientSize) {
    DialogForm form;
    form.Load();
    LONG_PTR style = GetWindowLongPtrA(form.hWnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    form.Border(BorderStyle::Sizable);
    style = GetWindowLongPtrA(form.hWnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(ClientRectOf(form.hWnd()).right, 371);
    EXPECT_EQ(ClientRectOf(form.hWnd()).bottom, 201);
}

TEST_F(FormTest, FormsAreCentredOnTheScreenOrOnTheirOwner) {
    DialogForm& main = Default<DialogForm>();
    main.Show();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r = WindowRectOf(main.hWnd());
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);

    main.Move(1500, 1200, main.Width(), main.Height());
    r = WindowRectOf(main.hWnd());
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(main.Left(), 1500);
    EXPECT_EQ(main.Top(), 1200);

    SizableForm sized;
    sized.Show(ShowMode::Modeless, &main);
    RECT owner = WindowRectOf(main.hWnd()), placed = WindowRectOf(sized.hWnd());
    EXPECT_NEAR((placed.left + placed.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((placed.top + placed.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
    EXPECT_EQ(GetWindow(sized.hWnd(), GW_OWNER), nullptr) << "a modeless form has no owner";
}

TEST_F(FormTest, WindowStateFollowsTheWindow) {
    SizableForm form;
    form.Show();
    EXPECT_EQ(form.WindowState(), WindowState::Normal);
    form.WindowState(WindowState::Minimized);
    PumpUntilIdle();
    EXPECT_TRUE(IsIconic(form.hWnd()));
    EXPECT_EQ(form.WindowState(), WindowState::Minimized);
    form.WindowState(WindowState::Maximized);
    PumpUntilIdle();
    EXPECT_EQ(form.WindowState(), WindowState::Maximized);
    form.WindowState(WindowState::Normal);
    PumpUntilIdle();
    EXPECT_EQ(form.WindowState(), WindowState::Normal);
}

TEST_F(FormTest, ADefaultInstanceLoadsAfreshAfterItWasUnloaded) {
    DialogForm& form = Default<DialogForm>();
    EXPECT_EQ(&form, &Default<DialogForm>());
    const int before = form.loads;
    form.Show();
    EXPECT_EQ(form.loads, before + 1);
    HWND first = form.hWnd();
    form.Label1->Caption("changed");
    form.BackColor(0x0000FF);
    form.Show(); // shown again: not loaded again
    EXPECT_EQ(form.loads, before + 1);

    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(form.Controls().empty());

    form.Show();
    EXPECT_EQ(form.loads, before + 2);
    EXPECT_EQ(form.Label1->Caption(), "Internal Skins:");
    EXPECT_EQ(form.BackColor(), kButtonFace) << "settings start again from the design";
}

TEST_F(FormTest, TheControlsOfAnUnloadedFormAreAClearErrorNotADanglingPointer) {
    DialogForm form;
    form.Show();
    Label* label = form.Label1;
    ComPtr<IDispatch> automation(label->Object());
    form.Unload();
    try {
        label->Caption("after");
        ADD_FAILURE() << "an unloaded label took a caption";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kObjectUnloaded);
    }
    EXPECT_EQ(label->Name(), "Label1");
    VARIANT v;
    VariantInit(&v);
    DISPPARAMS none{};
    EXPECT_NE(automation->Invoke(DISPID_FORMS_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v,
                                 nullptr, nullptr),
              S_OK);
}

TEST_F(FormTest, QueryUnloadCanKeepTheFormAndUnloadRunsAfterIt) {
    DialogForm form;
    std::vector<std::string> calls;
    int cancel = 1;
    UnloadMode seen = UnloadMode::Code;
    form.OnQueryUnload = [&](int& c, UnloadMode mode) {
        calls.push_back("QueryUnload");
        seen = mode;
        c = cancel;
    };
    form.OnUnload = [&](int&) { calls.push_back("Unload"); };
    form.Show();
    SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Loaded());
    EXPECT_EQ(seen, UnloadMode::ControlMenu);
    EXPECT_EQ(calls, std::vector<std::string>{"QueryUnload"});

    cancel = 0;
    EXPECT_TRUE(form.Unload());
    EXPECT_EQ(seen, UnloadMode::Code);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(calls, (std::vector<std::string>{"QueryUnload", "QueryUnload", "Unload"}));
}

TEST_F(FormTest, AModalShowDisablesTheOtherFormsAndReturnsWhenTheFormUnloads) {
    SizableForm main;
    main.Show();
    DialogForm dialog;
    bool mainDisabledMeanwhile = false;
    WithInput([&] { dialog.Show(ShowMode::Modal); },
              [&] {
                  ASSERT_TRUE(WaitFor([&] {
                      return dialog.hWnd() && IsWindowVisible(dialog.hWnd()) && dialog.Command1 &&
                             IsWindowVisible(dialog.Command1->hWnd());
                  }));
                  mainDisabledMeanwhile = WaitFor([&] { return !IsWindowEnabled(main.hWnd()); });
                  test::ClickOn(dialog.Command1->hWnd());
              });
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_EQ(dialog.exits, 1);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(IsWindowEnabled(main.hWnd()));
}

TEST_F(FormTest, AModalShowReturnsWhenTheFormIsHidden) {
    DialogForm dialog;
    WithInput([&] { dialog.Show(ShowMode::Modal); },
              [&] {
                  ASSERT_TRUE(WaitFor([&] {
                      return dialog.hWnd() && IsWindowVisible(dialog.hWnd()) && dialog.Command2 &&
                             IsWindowVisible(dialog.Command2->hWnd());
                  }));
                  test::ClickOn(dialog.Command2->hWnd());
              });
    EXPECT_TRUE(dialog.Loaded()) << "hidden, not unloaded";
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(FormTest, AFormShowsItsIcon) {
    DialogForm form;
    form.Load();
    // This program has no icon of its own: the form has none to give by name.
    ComPtr<IDispatch> object(form.Object());
    EXPECT_TRUE(GetProperty(object.get(), L"Icon").has_value());
    EXPECT_FALSE(GetObjectProperty(object.get(), L"Icon"));
    // A 32 x 32 icon made here; the form gives its window that one and a small copy.
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap colour(CreateCompatibleBitmap(screen.get(), 32, 32));
    UniqueBitmap mask(CreateBitmap(32, 32, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    Picture icon = PictureFromIcon(UniqueIcon(CreateIconIndirect(&info)));
    form.Icon(icon);
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageA(form.hWnd(), WM_GETICON, ICON_BIG, 0)),
              PictureHandle(icon.get()));
    HICON small = reinterpret_cast<HICON>(SendMessageA(form.hWnd(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(small, nullptr);
    ICONINFO smallInfo{};
    GetIconInfo(small, &smallInfo);
    UniqueBitmap smallMask(smallInfo.hbmMask), smallColour(smallInfo.hbmColor);
    BITMAP bm{};
    GetObjectA(smallMask.get(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
    // By name it is the form's own icon, and it cannot be set that way.
    Picture named = GetObjectProperty(object.get(), L"Icon").as<IPictureDisp>();
    EXPECT_EQ(PictureHandle(named.get()), PictureHandle(icon.get()));
    EXPECT_FALSE(PutProperty(object.get(), L"Icon", Variant(icon.get()).get()));
    EXPECT_THROW(form.IconResource(4242), RuntimeError) << "no such icon resource";
}

TEST_F(FormTest, TabMovesTheFocusToTheNextControl) {
    DialogForm form;
    form.Show();
    SetFocus(form.Command1->hWnd());
    const HWND command2 = form.Command2->hWnd(); // the form is closed at the end
    HWND focused = nullptr;
    WithInput([&] { App::Run(); },
              [&] {
                  const DWORD thread = GetWindowThreadProcessId(form.hWnd(), nullptr);
                  auto focus = [&] {
                      GUITHREADINFO gui{};
                      gui.cbSize = sizeof gui;
                      GetGUIThreadInfo(thread, &gui);
                      return gui.hwndFocus;
                  };
                  WaitFor([&] { return focus() == form.Command1->hWnd(); });
                  qel::test::KeyChord({VK_TAB});
                  WaitFor([&] { return focus() == command2; });
                  focused = focus();
                  PostMessageA(form.hWnd(), WM_CLOSE, 0, 0);
              });
    EXPECT_EQ(focused, command2);
}

TEST_F(FormTest, TheMessageLoopEndsWhenTheLastFormIsClosed) {
    DialogForm first;
    SizableForm second;
    first.Show();
    second.Show();
    int code = -1;
    WithInput([&] { code = App::Run(); },
              [&] {
                  for (HWND hwnd : {second.hWnd(), first.hWnd()}) {
                      SetForegroundWindow(hwnd);
                      WaitFor([&] { return GetForegroundWindow() == hwnd; }, 2000);
                      qel::test::KeyChord({VK_MENU, VK_F4});
                      WaitFor([&] { return !IsWindow(hwnd); });
                  }
              });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(Form::LoadedForms().empty());
    EXPECT_FALSE(first.Loaded());
    EXPECT_FALSE(second.Loaded());
}

} // namespace
} // namespace qel::forms
