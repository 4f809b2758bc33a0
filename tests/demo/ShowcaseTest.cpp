// The showcase as a user meets it: its main form switching built-in and
// external skins, the icon, the skin and the menu; the sample forms opening
// with the main form's skin, with their limits, colours and stacking; and the
// program ending with its last form. Real mouse input, pixels read back, and a
// screenshot of each look.
#include "demo/CleanFrm.h"
#include "demo/CtrlColorFrm.h"
#include "demo/MainFrm.h"
#include "demo/SizeFrm.h"
#include "forms/ActiveXControl.h"
#include "forms/App.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Menu.h"
#include "forms/MsgBox.h"
#include "forms/TextBox.h"
#include "base/Handle.h"
#include "base/PictureFile.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <set>

namespace qel::demo {
namespace {

using namespace forms;
using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;
using qel::test::WaitFor;
using qel::test::WhileInput;
using qel::test::WindowPixel;
using qel::test::WindowRectOf;

// Clicks entry `index` of a list box with the real mouse.
void ClickEntry(ListBox& list, int index) {
    RECT item{};
    SendMessageA(list.hWnd(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    POINT p = forms::test::ClientPoint(list.hWnd(), (item.left + item.right) / 2,
                                       (item.top + item.bottom) / 2);
    qel::test::Click(p.x, p.y);
}

bool SkinActive(ActiveXControl& control) {
    return ValueOf<bool>(control.Call(L"IsSkinActive"));
}
long Skin(ActiveXControl& control) {
    return ValueOf<long>(control.Call(L"Skin"));
}

class Showcase : public ::testing::Test {
protected:
    void SetUp() override {
        main = &forms::Default<MainFrm>();
        main->Show();
        PumpUntilIdle();
    }
    void TearDown() override {
        for (Form* f : std::vector<Form*>(Form::LoadedForms()))
            f->Unload();
        PumpUntilIdle();
    }
    MainFrm* main = nullptr;
    // A message box that no test expects is a fault, not a prompt to wait on.
    MsgBoxSeam unexpected{[](const std::string& prompt, UINT, const std::string&) {
        ADD_FAILURE() << "Unexpected message: " << prompt;
        return IDOK;
    }};
};

TEST_F(Showcase, TheMainFormStartsSkinnedWithItsListsFilled) {
    EXPECT_TRUE(SkinActive(*main->Qel_SkinCtrl1));
    ASSERT_EQ(main->List1->ListCount(), 6);
    EXPECT_EQ(main->List1->List(3), "Ruby Red");
    EXPECT_EQ(main->List1->ItemData(5), 6);
    EXPECT_EQ(main->List1->ListIndex(), 0);
    EXPECT_EQ(main->List2->ListCount(), 3);
    EXPECT_EQ(main->List2->List(0), "Amber Dusk");
    EXPECT_EQ(main->Label3->Caption(), "Skin Allows Icon = False");
    EXPECT_FALSE(main->Check1->Enabled());
    // Centred on the screen.
    RECT r = WindowRectOf(main->hWnd());
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    qel::test::SaveWindowShot("showcase_main", main->hWnd());
}

// The colour of the caption at a point a little in from its left end, the
// skin's own piece there.
COLORREF CaptionColour(HWND hwnd) {
    return WindowPixel(hwnd, 4, 6);
}

TEST_F(Showcase, EachBuiltInSkinReskinsTheMainForm) {
    std::set<COLORREF> captions;
    for (int n = 0; n < 6; ++n) {
        WhileInput([&] { ClickEntry(*main->List1, n); });
        EXPECT_EQ(Skin(*main->Qel_SkinCtrl1), n + 1);
        EXPECT_EQ(main->List2->ListIndex(), -1);
        captions.insert(CaptionColour(main->hWnd()));
        qel::test::SaveWindowShot("showcase_builtin_" + std::to_string(n + 1), main->hWnd());
    }
    EXPECT_EQ(captions.size(), 6u); // six different looks
}

TEST_F(Showcase, EachExternalSkinReskinsTheMainForm) {
    const RECT before = WindowRectOf(main->hWnd());
    std::set<COLORREF> captions{CaptionColour(main->hWnd())};
    for (int n = 0; n < main->List2->ListCount(); ++n) {
        WhileInput([&] { ClickEntry(*main->List2, n); });
        EXPECT_EQ(Skin(*main->Qel_SkinCtrl1), 99);
        EXPECT_EQ(main->List1->ListIndex(), -1);
        captions.insert(CaptionColour(main->hWnd()));
        qel::test::SaveWindowShot("showcase_external_" + main->List2->List(n), main->hWnd());
    }
    EXPECT_EQ(captions.size(), 4u);
    // A taller caption grows the form; its client area keeps its size.
    EXPECT_NE(WindowRectOf(main->hWnd()).bottom - before.top, before.bottom - before.top);
    // "Slate Night" lets the form show its icon: the indication follows.
    EXPECT_EQ(main->Label3->Caption(), "Skin Allows Icon = True");
    EXPECT_TRUE(main->Check1->Enabled());
}

// How many pixels of the screen rectangles show the menu text of "Light Blue".
long MenuTextPixels(const std::vector<RECT>& areas) {
    long n = 0;
    for (const RECT& area : areas)
        for (COLORREF pixel : qel::test::ScreenPixels(area))
            n += pixel == RGB(0, 0, 128);
    return n;
}

TEST_F(Showcase, TheSkinTheIconAndTheMenuAreSwitchedByTheirBoxes) {
    HWND hwnd = main->hWnd();
    const RECT skinned = WindowRectOf(hwnd);
    WhileInput([&] { forms::test::ClickOn(main->Check2->hWnd()); });
    EXPECT_FALSE(SkinActive(*main->Qel_SkinCtrl1));
    qel::test::SaveWindowShot("showcase_skin_disabled", hwnd);
    WhileInput([&] { forms::test::ClickOn(main->Check2->hWnd()); });
    EXPECT_TRUE(SkinActive(*main->Qel_SkinCtrl1));
    RECT again = WindowRectOf(hwnd);
    EXPECT_EQ(again.right - again.left, skinned.right - skinned.left);

    // Show Form Icon is the control's ShowIcon (enabled by a skin that allows it).
    WhileInput([&] { ClickEntry(*main->List2, 2); }); // "Slate Night"
    WhileInput([&] { forms::test::ClickOn(main->Check1->hWnd()); });
    EXPECT_FALSE(ValueOf<bool>(main->Qel_SkinCtrl1->Call(L"ShowIcon")));
    WhileInput([&] { forms::test::ClickOn(main->Check1->hWnd()); });
    EXPECT_TRUE(ValueOf<bool>(main->Qel_SkinCtrl1->Call(L"ShowIcon")));

    // Check3 shows and hides the form's own "&File" menu: on the skinned caption
    // below its title, where Alt+F opens it with "Test".
    WhileInput([&] { ClickEntry(*main->List1, 0); }); // "Light Blue"
    const RECT w = WindowRectOf(hwnd), bar{w.left, w.top + 20, w.left + 120, w.top + 41};
    EXPECT_FALSE(main->mnuFile->Visible());
    WhileInput([&] { forms::test::ClickOn(main->Check3->hWnd()); });
    EXPECT_TRUE(main->mnuFile->Visible());
    EXPECT_TRUE(PumpUntil([&] { return MenuTextPixels({bar}) > 20; }));
    WhileInput([&] {
        qel::test::KeyChord({VK_MENU, 'F'});
        EXPECT_TRUE(WaitFor([] { return MenuTextPixels(qel::test::OpenPopupMenus()) > 20; }));
        qel::test::SaveWindowShot("showcase_file_menu", hwnd);
        qel::test::KeyChord({VK_ESCAPE});
    });
    WhileInput([&] { forms::test::ClickOn(main->Check3->hWnd()); });
    EXPECT_FALSE(main->mnuFile->Visible());
    EXPECT_TRUE(PumpUntil([&] { return MenuTextPixels({bar}) == 0; }));
}

// The form's small icon as drawn on `ground`, 16 x 16, row by row.
std::vector<COLORREF> DrawnIcon(HICON icon, COLORREF ground) {
    MemorySurface surface(nullptr, 16, 16);
    UniqueBrush brush(CreateSolidBrush(ground));
    RECT all{0, 0, 16, 16};
    FillRect(surface.dc(), &all, brush.get());
    DrawIconEx(surface.dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(GetPixel(surface.dc(), x, y));
    return pixels;
}

// True when the window's frame above its client area shows its small icon,
// every opaque pixel of it in place.
bool CaptionShowsFormIcon(HWND hwnd) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) return false;
    // Drawn on black and on white, the pixels that agree are the opaque ones.
    const std::vector<COLORREF> onBlack = DrawnIcon(icon, RGB(0, 0, 0));
    const std::vector<COLORREF> onWhite = DrawnIcon(icon, RGB(255, 255, 255));
    const RECT window = WindowRectOf(hwnd);
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    const int width = window.right - window.left, rows = client.y - window.top;
    const std::vector<COLORREF> frame =
        qel::test::ScreenPixels({window.left, window.top, window.right, client.y});
    if (frame.empty()) return false;
    for (int top = 0; top + 16 <= rows; ++top)
        for (int left = 0; left + 16 <= width; ++left) {
            bool all = true;
            for (int i = 0; i < 256 && all; ++i)
                if (onBlack[i] == onWhite[i])
                    all = frame[size_t(top + i / 16) * width + left + i % 16] == onBlack[i];
            if (all) return true;
        }
    return false;
}

TEST_F(Showcase, ShowFormIconPutsTheFormsIconIntoTheSkinnedCaption) {
    HWND hwnd = main->hWnd();
    EXPECT_FALSE(CaptionShowsFormIcon(hwnd));         // "Light Blue" has no place for it
    WhileInput([&] { ClickEntry(*main->List2, 2); }); // "Slate Night" has
    ASSERT_EQ(main->Check1->Value(), 1);
    EXPECT_TRUE(PumpUntil([&] { return CaptionShowsFormIcon(hwnd); }));
    qel::test::SaveWindowShot("showcase_form_icon", hwnd);
    WhileInput([&] { forms::test::ClickOn(main->Check1->hWnd()); });
    EXPECT_TRUE(PumpUntil([&] { return !CaptionShowsFormIcon(hwnd); }));
    WhileInput([&] { forms::test::ClickOn(main->Check1->hWnd()); });
    EXPECT_TRUE(PumpUntil([&] { return CaptionShowsFormIcon(hwnd); }));
}

TEST_F(Showcase, SkinsThatCannotBeUsedAreNamedAndTheFormKeepsItsSkin) {
    std::vector<std::string> messages;
    MsgBoxSeam seam([&](const std::string& prompt, UINT, const std::string&) {
        messages.push_back(prompt);
        return IDOK;
    });
    const std::string skins = main->AppFolder() + "Skins\\";
    std::ofstream(skins + "Broken.gif", std::ios::binary) << "GIF89a, cut short";
    {
        // A real picture that is no skin sheet: a small plain bitmap.
        WindowDC screen = WindowDC::Client(nullptr);
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 40, 30));
        ASSERT_TRUE(
            SavePictureFile(PictureFromBitmap(std::move(bitmap)).get(), skins + "Not A Skin.gif"));
    }
    main->List2->AddItem("Broken");
    main->List2->AddItem("Not A Skin");
    main->List2->AddItem("Missing");
    const long skin = Skin(*main->Qel_SkinCtrl1);
    const COLORREF caption = CaptionColour(main->hWnd());
    for (int n = 3; n < 6; ++n)
        WhileInput([&] { ClickEntry(*main->List2, n); });
    DeleteFileA((skins + "Broken.gif").c_str());
    DeleteFileA((skins + "Not A Skin.gif").c_str());
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[0].find("\"Broken.gif\" cannot be loaded"), std::string::npos);
    EXPECT_NE(messages[1].find("\"Not A Skin.gif\" is not a skin"), std::string::npos);
    EXPECT_NE(messages[2].find("\"Missing.gif\" cannot be loaded"), std::string::npos);
    EXPECT_EQ(Skin(*main->Qel_SkinCtrl1), skin);
    EXPECT_EQ(CaptionColour(main->hWnd()), caption);
}

TEST_F(Showcase, SampleFormsOpenWithTheMainFormsSkin) {
    WhileInput([&] { ClickEntry(*main->List1, 2); }); // "Green"
    const COLORREF green = CaptionColour(main->hWnd());
    WhileInput([&] { forms::test::ClickOn(main->Command3->hWnd()); });
    CtrlColorFrm& colours = forms::Default<CtrlColorFrm>();
    ASSERT_TRUE(colours.Loaded());
    PumpUntilIdle();
    EXPECT_TRUE(SkinActive(*colours.Qel_SkinCtrl1));
    EXPECT_EQ(CaptionColour(colours.hWnd()), green);
    qel::test::SaveWindowShot("showcase_control_colours", colours.hWnd());
    colours.Unload(); // it lies over the main form's buttons

    WhileInput([&] { forms::test::ClickOn(main->Command1->hWnd()); });
    CleanFrm& clean = forms::Default<CleanFrm>();
    ASSERT_TRUE(clean.Loaded());
    PumpUntilIdle();
    EXPECT_EQ(CaptionColour(clean.hWnd()), green);
    qel::test::SaveWindowShot("showcase_clean", clean.hWnd());
}

TEST_F(Showcase, TheControlFormColoursWhatTheSkinLeavesOnFocusChanges) {
    WhileInput([&] { forms::test::ClickOn(main->Command3->hWnd()); });
    CtrlColorFrm& form = forms::Default<CtrlColorFrm>();
    PumpUntilIdle();
    SetForegroundWindow(form.hWnd());
    PumpUntilIdle();
    EXPECT_EQ(form.Text1->BackColor(), 0x0000FF00u);
    EXPECT_EQ(form.List1->BackColor(), 0x0000FF00u);
    SetForegroundWindow(main->hWnd());
    PumpUntilIdle();
    EXPECT_EQ(form.Text1->BackColor(), 0x000000FFu);
    EXPECT_EQ(form.List1->BackColor(), 0x000000FFu);
    // The skin recoloured the labels, frame and boxes itself.
    const OleColor inactive = form.BackColor();
    EXPECT_EQ(form.Label1->BackColor(), inactive);
    EXPECT_EQ(form.Check1->BackColor(), inactive);
    qel::test::SaveWindowShot("showcase_control_colours_inactive", form.hWnd());
}

TEST_F(Showcase, TheCleanFormStaysOnTop) {
    WhileInput([&] { forms::test::ClickOn(main->Command1->hWnd()); });
    CleanFrm& clean = forms::Default<CleanFrm>();
    PumpUntilIdle();
    SetForegroundWindow(main->hWnd());
    PumpUntilIdle();
    EXPECT_TRUE(GetWindowLongPtrA(clean.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Showcase, TheSizableFormKeepsItsLimitsAndLaysOutOnResize) {
    SizeFrm& sized = forms::Default<SizeFrm>();
    RECT opened{}, widest{}, narrowest{};
    POINT exitBefore{}, exitAfter{};
    forms::test::WithInput(
        [&] { forms::test::ClickOn(main->Command2->hWnd()); }, // shows it modally
        [&] {
            // In front, painted, and at its place: centred on the main form.
            forms::test::WaitFor([&] {
                const RECT r = WindowRectOf(sized.hWnd()), m = WindowRectOf(main->hWnd());
                return sized.Loaded() && GetForegroundWindow() == sized.hWnd() &&
                       !GetUpdateRect(sized.hWnd(), nullptr, FALSE) &&
                       std::abs(r.left + r.right - m.left - m.right) <= 2;
            });
            opened = WindowRectOf(sized.hWnd());
            exitBefore = forms::test::CentreOf(sized.Command1->hWnd());
            // Drag the right border far out, then far in.
            POINT edge{opened.right - 2, (opened.top + opened.bottom) / 2};
            qel::test::Drag(edge, {edge.x + 500, edge.y}, 10);
            widest = WindowRectOf(sized.hWnd());
            edge = {widest.right - 2, edge.y};
            qel::test::Drag(edge, {edge.x - 700, edge.y}, 10);
            narrowest = WindowRectOf(sized.hWnd());
            exitAfter = forms::test::CentreOf(sized.Command1->hWnd());
            qel::test::SaveWindowShot("showcase_sizable", sized.hWnd());
            forms::test::ClickOn(sized.Command1->hWnd()); // "Exit" ends the modal show
        });
    EXPECT_FALSE(sized.Loaded());
    // The stored limits: 4700 to 10000 twips wide (313 to 667 pixels).
    EXPECT_NEAR(widest.right - widest.left, 667, 1);
    EXPECT_NEAR(narrowest.right - narrowest.left, 313, 1);
    // "Exit" followed the right edge.
    EXPECT_LT(exitAfter.x, exitBefore.x);
}

TEST_F(Showcase, TheProgramEndsWithItsLastForm) {
    WhileInput([&] { forms::test::ClickOn(main->Command1->hWnd()); });
    ASSERT_EQ(Form::LoadedForms().size(), 2u);
    int result = -1;
    forms::test::WithInput([&] { result = App::Run(); },
                           [&] {
                               const HWND first = main->hWnd();
                               PostMessageA(first, WM_CLOSE, 0, 0);
                               forms::test::WaitFor([&] { return !IsWindow(first); });
                               PostMessageA(forms::Default<CleanFrm>().hWnd(), WM_CLOSE, 0, 0);
                           });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST(ShowcaseWithoutSkinsFolder, StartsWithAnEmptyExternalListAndItsSkin) {
    const std::string skins = App::Path() + "\\Skins", aside = skins + ".aside";
    ASSERT_TRUE(MoveFileA(skins.c_str(), aside.c_str()));
    MainFrm& main = forms::Default<MainFrm>();
    main.Show();
    PumpUntilIdle();
    const bool active = SkinActive(*main.Qel_SkinCtrl1);
    const long external = main.List2->ListCount(), builtIn = main.List1->ListCount();
    main.Unload();
    MoveFileA(aside.c_str(), skins.c_str());
    EXPECT_TRUE(active);
    EXPECT_EQ(external, 0);
    EXPECT_EQ(builtIn, 6);
}

TEST_F(Showcase, SwitchingSkinsLeavesNoObjectsBehind) {
    for (int n = 0; n < 6; ++n)
        main->List1->ListIndex(n); // every sheet loaded once
    for (int n = 0; n < main->List2->ListCount(); ++n)
        main->List2->ListIndex(n);
    main->List1->ListIndex(0);
    PumpUntilIdle();
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    for (int i = 0; i < 100; ++i) {
        if (i % 3 == 2)
            main->List2->ListIndex(i % main->List2->ListCount());
        else
            main->List1->ListIndex(i % 6);
    }
    main->List1->ListIndex(0);
    PumpUntilIdle();
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
}

} // namespace
} // namespace qel::demo
