// Menus as real menus: captions, separators, popups, Visible adding and removing
// the top-level menus (and the menu bar with them), Checked, Enabled, and Click
// from real keyboard input.
#include "forms/Form.h"
#include "forms/Menu.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel::forms {
namespace {

using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;

class MenuForm : public Form {
public:
    explicit MenuForm(bool fileVisible = true) : Form("MenuForm"), fileVisible_(fileVisible) {}
    Menu *mnuFile = nullptr, *mnuNew = nullptr, *spc1 = nullptr, *mnuExit = nullptr;
    Menu *mnuHelp = nullptr, *mnuAbout = nullptr;
    std::vector<std::string> clicks;

protected:
    void Design() override {
        Caption("Menus");
        ClientSize(5565, 3015);
        StartUp(StartUpPosition::CenterScreen);
        mnuFile = AddMenu("mnuFile", "&File");
        mnuFile->Visible(fileVisible_);
        mnuNew = mnuFile->Add("mnuNew", "&New");
        spc1 = mnuFile->Add("spc1", "-");
        mnuExit = mnuFile->Add("mnuExit", "E&xit");
        mnuHelp = AddMenu("mnuHelp", "&Help");
        mnuAbout = mnuHelp->Add("mnuAbout", "&About");
        for (Menu* item : {mnuNew, mnuExit, mnuAbout})
            item->OnClick = [this, item] { clicks.push_back(item->Name()); };
    }

private:
    bool fileVisible_;
};

std::string ItemText(HMENU menu, UINT position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

class MenuTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (Form* f : std::vector<Form*>(Form::LoadedForms()))
            f->Unload();
        PumpUntilIdle();
    }
};

TEST_F(MenuTest, MenusAreRealMenusWithPopupsAndSeparators) {
    MenuForm form;
    form.Show();
    HMENU bar = GetMenu(form.hWnd());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(ItemText(bar, 0), "&File");
    EXPECT_EQ(ItemText(bar, 1), "&Help");
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1)) << "a menu with items opens a popup";
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(file, form.mnuFile->Popup());
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(ItemText(file, 0), "&New");
    EXPECT_EQ(ItemText(file, 2), "E&xit");
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(file, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 2), form.mnuExit->Id());
}

TEST_F(MenuTest, VisibleAddsAndRemovesTopLevelMenusAndTheBar) {
    MenuForm form;
    form.Show();
    HMENU bar = GetMenu(form.hWnd());
    form.mnuFile->Visible(false);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(ItemText(bar, 0), "&Help");

    RECT before{}, after{};
    GetClientRect(form.hWnd(), &before);
    form.mnuHelp->Visible(false);
    EXPECT_EQ(GetMenu(form.hWnd()), nullptr) << "no visible menu: no menu bar";
    GetClientRect(form.hWnd(), &after);
    EXPECT_GT(after.bottom, before.bottom);

    form.mnuHelp->Visible(true);
    form.mnuFile->Visible(true);
    ASSERT_EQ(GetMenu(form.hWnd()), bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(ItemText(bar, 0), "&File") << "a menu comes back at its own place";
    EXPECT_EQ(GetSubMenu(bar, 0), form.mnuFile->Popup());

    form.mnuNew->Visible(false);
    HMENU file = form.mnuFile->Popup();
    EXPECT_EQ(GetMenuItemCount(file), 2);
    EXPECT_EQ(ItemText(file, 1), "E&xit");

    // Unloading destroys every menu, hidden ones included.
    form.Unload();
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(file));
}

TEST_F(MenuTest, AFormWhoseMenusAreHiddenAtLoadHasNoMenuBar) {
    MenuForm form(false);
    form.Show();
    form.mnuHelp->Visible(false);
    form.Unload();
    form.Show(); // loads again: File hidden by the design, Help shown
    HMENU bar = GetMenu(form.hWnd());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(ItemText(bar, 0), "&Help");
    form.mnuHelp->Visible(false);
    EXPECT_EQ(GetMenu(form.hWnd()), nullptr);
    form.Unload();

    class Bare : public Form {
    public:
        Bare() : Form("Bare") {}
        Menu* mnuFile = nullptr;

    protected:
        void Design() override {
            ClientSize(5565, 3015);
            mnuFile = AddMenu("mnuFile", "&File");
            mnuFile->Visible(false);
            mnuFile->Add("mnuTest", "Test");
        }
    } bare;
    bare.Show();
    RECT client{};
    GetClientRect(bare.hWnd(), &client);
    EXPECT_EQ(GetMenu(bare.hWnd()), nullptr);
    EXPECT_EQ(client.right, 371);
    EXPECT_EQ(client.bottom, 201);
    bare.mnuFile->Visible(true);
    EXPECT_NE(GetMenu(bare.hWnd()), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(bare.hWnd()), 0)), 1);
}

TEST_F(MenuTest, CheckedEnabledAndCaptionAreTheItemsState) {
    MenuForm form;
    form.Show();
    HMENU file = form.mnuFile->Popup();
    form.mnuNew->Checked(true);
    form.mnuExit->Enabled(false);
    EXPECT_TRUE(GetMenuState(file, form.mnuNew->Id(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(file, form.mnuExit->Id(), MF_BYCOMMAND) & MF_GRAYED);
    form.mnuNew->Checked(false);
    form.mnuExit->Enabled(true);
    form.mnuExit->Caption("&Quit");
    EXPECT_FALSE(GetMenuState(file, form.mnuNew->Id(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(file, form.mnuExit->Id(), MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(ItemText(file, 2), "&Quit");

    // State set while hidden shows when the item comes back.
    form.mnuNew->Visible(false);
    form.mnuNew->Checked(true);
    form.mnuNew->Visible(true);
    EXPECT_TRUE(GetMenuState(file, form.mnuNew->Id(), MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MenuTest, ChoosingAnItemWithTheKeyboardRaisesItsClick) {
    MenuForm form;
    form.Show();
    SetForegroundWindow(form.hWnd());
    PumpUntilIdle();
    test::WithInput([&] { PumpUntil([&] { return form.clicks.size() == 2; }, 10000); },
                    [&] {
                        const auto popupShown = [](bool shown) {
                            qel::test::WaitFor(
                                [&] { return qel::test::OpenPopupMenus().empty() != shown; });
                        };
                        qel::test::KeyChord({VK_MENU, 'F'});
                        popupShown(true);
                        qel::test::SaveWindowShot("forms-menu-open", form.hWnd(), 80);
                        qel::test::KeyChord({'N'});
                        popupShown(false);
                        qel::test::KeyChord({VK_MENU, 'H'});
                        popupShown(true);
                        qel::test::KeyChord({VK_RETURN});
                    });
    EXPECT_EQ(form.clicks, (std::vector<std::string>{"mnuNew", "mnuAbout"}));
}

} // namespace
} // namespace qel::forms
