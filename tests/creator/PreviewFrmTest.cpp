// The skin previews from a real preview file (a skin sheet written as a
// Windows bitmap): captions, the form's icon, the menu in the
// skinned bar, the "Enabled" box, the exit buttons on resize, the form without
// menus opened on top, and failures that leave the forms usable.
#include "creator/shell/PreviewFrm.h"
#include "creator/shell/VerdictIcons.h"
#include "forms/App.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "sheet/SkinSheetGeometry.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"

#include <gtest/gtest.h>

namespace qel::creator {
namespace {

using forms::test::ClickOn;
using forms::test::WaitFor;
using qel::test::WindowPixel;
using qel::test::WindowRectOf;

// A preview file of a skin that draws the form icon.
PreviewSource RealPreview() {
    const std::string file = qel::test::OutputPath("Preview.skn");
    forms::SavePicture(
        forms::LoadPicture(forms::App::Path() + "\\Skins\\Slate Night.gif", kSheetPictureBound)
            .get(),
        file);
    return {file, PassIcon()};
}

bool Shown(forms::Form& form) {
    return form.Loaded() && IsWindowVisible(form.hWnd());
}

// Clicks the form's "Exit Form" and waits for the form to go (a click that
// closes a form, repeated if dropped).
void Exit(forms::Form& form, forms::CommandButton& exit) {
    EXPECT_TRUE(forms::test::ClickUntil(exit.hWnd(), [&] { return !Shown(form); }));
}

// The window's icon, and the program's own (the creator's, resource 1, shared).
HICON IconOf(HWND hwnd) {
    return reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
}
HICON ProgramIcon() {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON,
                                         0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

// Whether the exit button lies 150 twips (10 pixels) in from the client area's
// bottom-right corner.
bool InCorner(HWND form, HWND button) {
    RECT client{}, b = WindowRectOf(button);
    GetClientRect(form, &client);
    POINT corner{client.right, client.bottom};
    ClientToScreen(form, &corner);
    return corner.x - b.right == 10 && corner.y - b.bottom == 10;
}

// Waits for the form shown modally to come forward and take input.
bool InFront(forms::Form& form) {
    return WaitFor([&] {
        return Shown(form) && GetForegroundWindow() == form.hWnd() && IsWindowEnabled(form.hWnd());
    });
}

// Whether a popup menu is open.
bool MenuOpen() {
    HWND popup = FindWindowA("#32768", nullptr);
    return popup && IsWindowVisible(popup);
}

TEST(PreviewFrm, ShowsTheSkinWithMenusAndOpensTheFormWithoutOnTop) {
    PreviewFrm& preview = forms::Default<PreviewFrm>();
    Preview1& noMenu = forms::Default<Preview1>();
    std::string name = "New Skin";
    const PreviewSource source = RealPreview();
    bool result = false;
    forms::test::WithInput(
        [&] { result = preview.DoPreview(name, source); },
        [&] {
            ASSERT_TRUE(InFront(preview));
            HWND hwnd = preview.hWnd();
            char caption[64] = {};
            GetWindowTextA(hwnd, caption, sizeof caption);
            EXPECT_STREQ(caption, "Previewing New Skin");
            EXPECT_NE(IconOf(hwnd), ProgramIcon()); // its own
            qel::test::SaveWindowShot("creator_preview_menu", hwnd);

            // The menus live in the skinned bar: Alt+F opens "&File".
            SetForegroundWindow(hwnd);
            qel::test::KeyChord({VK_MENU, 'F'});
            EXPECT_TRUE(WaitFor(MenuOpen, 2000));
            // It drops from the bar in the caption, above the client area.
            const RECT popup = WindowRectOf(FindWindowA("#32768", nullptr));
            EXPECT_LE(popup.top, forms::test::ClientPoint(hwnd, 0, 0).y);
            EXPECT_GT(popup.top, WindowRectOf(hwnd).top + 10);
            RECT shot = WindowRectOf(hwnd);
            UnionRect(&shot, &shot, &popup);
            qel::test::SaveScreenshot("creator_preview_menu_open", shot);
            qel::test::KeyChord({VK_ESCAPE});
            qel::test::KeyChord({VK_ESCAPE});
            EXPECT_TRUE(WaitFor([] { return !MenuOpen(); }, 2000));

            // "Exit Form" follows the bottom-right corner.
            EXPECT_TRUE(InCorner(hwnd, preview.Command2->hWnd()));
            const RECT before = WindowRectOf(hwnd);
            qel::test::Drag({before.right - 2, before.bottom - 2},
                            {before.right + 60, before.bottom + 40});
            EXPECT_TRUE(WaitFor([&] { return WindowRectOf(hwnd).right > before.right + 30; }));
            EXPECT_TRUE(WaitFor([&] { return InCorner(hwnd, preview.Command2->hWnd()); }));

            // "Enabled" gives the form its own frame back, and skins it again.
            const COLORREF skinned = WindowPixel(hwnd, 120, 4);
            ClickOn(preview.Check2->hWnd());
            EXPECT_TRUE(WaitFor([&] { return WindowPixel(hwnd, 120, 4) != skinned; }));
            ClickOn(preview.Check2->hWnd());
            EXPECT_TRUE(WaitFor([&] { return WindowPixel(hwnd, 120, 4) == skinned; }));

            // "View No-Menu Form": the same caption, no menu bar, its own exit button.
            ClickOn(preview.Command1->hWnd());
            ASSERT_TRUE(InFront(noMenu));
            HWND second = noMenu.hWnd();
            GetWindowTextA(second, caption, sizeof caption);
            EXPECT_STREQ(caption, "Previewing New Skin");
            EXPECT_NE(IconOf(second), ProgramIcon());
            EXPECT_TRUE(InCorner(second, noMenu.Command1->hWnd()));
            EXPECT_LT(WindowRectOf(noMenu.Command1->hWnd()).top - WindowRectOf(second).top,
                      WindowRectOf(preview.Command2->hWnd()).top - WindowRectOf(hwnd).top);
            qel::test::SaveWindowShot("creator_preview_no_menu", second);
            Exit(noMenu, *noMenu.Command1);
            Exit(preview, *preview.Command2);
        });
    EXPECT_TRUE(result);
    EXPECT_FALSE(preview.Loaded());
    EXPECT_FALSE(noMenu.Loaded());
    EXPECT_TRUE(forms::test::MessageBoxes().prompts.empty());
}

TEST(PreviewFrm, FailuresAreReportedAndLeaveTheFormsUsable) {
    PreviewFrm& preview = forms::Default<PreviewFrm>();
    std::string name = "Sample";
    PreviewSource source = RealPreview();
    // A picture that is not an icon is not taken: the form shows the program's icon.
    source.icon = forms::test::SolidPicture(16, 16, RGB(0, 160, 0));
    bool result = false;
    forms::test::WithInput([&] { result = preview.DoPreview(name, source); },
                           [&] {
                               ASSERT_TRUE(InFront(preview));
                               EXPECT_EQ(IconOf(preview.hWnd()), ProgramIcon());
                               EXPECT_TRUE(ProgramIcon());
                               // The preview file gone while the form is open: "View No-Menu Form"
                               // says so, and the form stays.
                               DeleteFileA(source.file.c_str());
                               ClickOn(preview.Command1->hWnd());
                               EXPECT_TRUE(
                                   WaitFor([] { return forms::test::MessageBoxesShown() == 1; }));
                               EXPECT_TRUE(Shown(preview));
                               Exit(preview, *preview.Command2);
                           });
    EXPECT_TRUE(result);
    EXPECT_FALSE(forms::Default<Preview1>().Loaded());
    ASSERT_EQ(forms::test::MessageBoxes().prompts.size(), 1u);

    // A missing preview file: a message, and no form left behind.
    EXPECT_FALSE(preview.DoPreview(name, source));
    EXPECT_FALSE(preview.Loaded());
    EXPECT_EQ(forms::test::MessageBoxes().prompts.size(), 2u);
    // The next preview works again.
    source = RealPreview();
    forms::test::WithInput([&] { result = preview.DoPreview(name, source); },
                           [&] {
                               ASSERT_TRUE(InFront(preview));
                               Exit(preview, *preview.Command2);
                           });
    EXPECT_TRUE(result);
}

} // namespace
} // namespace qel::creator
