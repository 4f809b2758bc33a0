// The menu bar on a visible skinned form, driven by real mouse and keyboard
// input: what the bar and its popups show on the screen, and what reaches the
// form. A popup's menu loop runs modal on the window's thread, so the input
// and the reading of the screen run on a second thread meanwhile; what that
// thread sees is recorded and checked afterwards.
#include "renderer/MenuHook.h"
#include "tests/renderer/FormMenu.h"
#include "tests/renderer/MenuSkinArea.h"
#include "tests/support/Handlers.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <thread>

namespace qel {
namespace {

using test::Centre;
using test::MenuSkinArea;
using test::ProbeWindow;
using test::PumpUntil;
using test::PumpUntilIdle;
using test::WaitFor;

constexpr int kX = 150, kY = 100, kW = 460, kH = 300;
// How long the menu loop is given to show that an input changed nothing.
constexpr DWORD kSettle = 150;

// Waits until exactly one popup is open, at `left`, and its items' text is on
// the screen; its rectangle, or empty.
RECT WaitForPopupAt(LONG left) {
    RECT found{};
    WaitFor([&] {
        std::vector<RECT> open = test::OpenPopupMenus();
        if (open.size() != 1 || open[0].left != left) return false;
        const std::vector<COLORREF> shown = test::ScreenPixels(open[0]);
        if (std::find(shown.begin(), shown.end(), MenuSkinArea::kMenuText) == shown.end())
            return false;
        found = open[0];
        return true;
    });
    return found;
}

bool WaitForNoPopup() {
    return WaitFor([] { return test::OpenPopupMenus().empty(); });
}

void Press(WORD vk) {
    test::KeyDown(vk);
    test::KeyUp(vk);
}

// A copy of part of the screen, read once.
class ScreenImage {
public:
    ScreenImage() = default;
    explicit ScreenImage(RECT area) : area_(area) {
        const int w = area.right - area.left, h = area.bottom - area.top;
        WindowDC screen = WindowDC::Client(nullptr);
        MemorySurface copy(screen.get(), w, h);
        BitBlt(copy.dc(), 0, 0, w, h, screen.get(), area.left, area.top, SRCCOPY);
        pixels_.resize(size_t(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels_[size_t(y) * w + x] = GetPixel(copy.dc(), x, y);
    }
    // The colour at a screen point inside the area.
    COLORREF At(LONG x, LONG y) const {
        return pixels_[size_t(y - area_.top) * (area_.right - area_.left) + (x - area_.left)];
    }
    // How many pixels of a screen rectangle inside the area have the colour.
    int Count(RECT r, COLORREF colour) const {
        int n = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                n += At(x, y) == colour ? 1 : 0;
        return n;
    }

private:
    RECT area_{};
    std::vector<COLORREF> pixels_;
};

class MenuBarOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ProbeWindow::Reset();
        commands().clear();
        hookInPopups().clear();
        ProbeWindow::action = [](HWND, UINT msg, WPARAM wParam, LPARAM) {
            if (msg == WM_COMMAND) commands().push_back(LOWORD(wParam));
            if (msg == WM_INITMENUPOPUP) hookInPopups().push_back(MenuHookInstalled());
        };
        window = ProbeWindow::Create(kX, kY, kW, kH);
        hwnd = window.get();
        menu = test::MakeFormMenu();
        SetMenu(hwnd, menu.get());
        popups = test::BarPopups(menu.get());
        before = test::Snapshot(menu.get());
        area = MenuSkinArea::Create(hwnd);
        area->Attach();
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        PumpUntilIdle();
        for (long i = 1; i <= area->bar->BarItemCount(); ++i)
            items.push_back(ItemRect(i));
    }
    void TearDown() override {
        test::MouseUp();
        if (!test::OpenPopupMenus().empty()) test::WhileInput([] { Press(VK_ESCAPE); });
        area->Detach();
        // The form has its own menu back, every item as it was.
        EXPECT_EQ(GetMenu(hwnd), menu.get());
        EXPECT_EQ(test::Snapshot(menu.get()), before);
        EXPECT_FALSE(MenuHookInstalled());
        area.reset();
        SetMenu(hwnd, nullptr);
        window.reset();
        ProbeWindow::Reset();
        PumpUntilIdle();
    }

    RECT ItemRect(long index) const {
        RECT r{};
        area->bar->GetItemScreenRect(index, r);
        return r;
    }
    // The screen rectangle of an item of an open popup.
    static RECT PopupItemRect(HMENU popup, UINT position) {
        RECT r{};
        GetMenuItemRect(nullptr, popup, position, &r);
        return r;
    }
    void ClickItem(long index) const {
        const POINT p = Centre(items[index - 1]);
        test::Click(p.x, p.y);
    }
    // Shows another menu on the bar for one test.
    void UseMenu(HMENU other) {
        area->Detach();
        SetMenu(hwnd, other);
        area->Attach();
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0); // as the skin control does after attaching
        PumpUntilIdle();
        items.clear();
        for (long i = 1; i <= area->bar->BarItemCount(); ++i)
            items.push_back(ItemRect(i));
    }
    void UseOwnMenuAgain() {
        area->Detach();
        SetMenu(hwnd, menu.get());
        area->Attach();
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
        PumpUntilIdle();
    }

    static std::vector<UINT>& commands() {
        static std::vector<UINT> c;
        return c;
    }
    static std::vector<bool>& hookInPopups() {
        static std::vector<bool> h;
        return h;
    }

    UniqueWindow window;
    HWND hwnd = nullptr;
    UniqueMenu menu;
    std::vector<HMENU> popups;
    std::vector<test::ItemRecord> before;
    ComPtr<MenuSkinArea> area;
    std::vector<RECT> items; // the bar items' screen rectangles
    const test::EdgeShades shades = test::MenuEdgeShades();
};

TEST_F(MenuBarOnScreen, TheBarShowsTheFormsMenuAndItsHotItemFollowsTheMouse) {
    ASSERT_EQ(items.size(), 4u);
    RECT strip{};
    GetWindowRect(hwnd, &strip);
    strip.bottom = strip.top + MenuSkinArea::kCaption;
    const ScreenImage laidOut(strip);
    for (const RECT& item : items) {
        EXPECT_GT(laidOut.Count(item, MenuSkinArea::kMenuText), 10);
        EXPECT_EQ(laidOut.At(item.left + 3, item.top), MenuSkinArea::kStrip); // no edge
    }
    EXPECT_EQ(laidOut.At(items[3].right + 10, items[3].top + 5), MenuSkinArea::kStrip);
    EXPECT_EQ(items[0].left - strip.left, MenuSkinArea::kMenuLeft + 1);
    for (size_t i = 1; i < items.size(); ++i)
        EXPECT_EQ(items[i].left, items[i - 1].right - 4);
    test::SaveWindowShot("menubar_laid_out", hwnd);

    ScreenImage hot, left;
    const POINT edge{items[1].left + 3, items[1].top};
    const auto edgeIs = [&](COLORREF c) {
        WaitFor([&] { return test::ScreenPixel(edge.x, edge.y) == c; });
    };
    test::WhileInput([&] {
        const POINT edit = Centre(items[1]);
        test::MouseMove(edit.x, edit.y);
        edgeIs(shades.light);
        hot = ScreenImage(strip);
        test::SaveWindowShot("menubar_hot_item", hwnd);
        test::MouseMove(strip.left + kW / 2, strip.top + kH / 2);
        edgeIs(MenuSkinArea::kStrip);
        left = ScreenImage(strip);
    });
    const RECT& edit = items[1];
    EXPECT_EQ(hot.At(edit.left + 3, edit.top), shades.light);
    EXPECT_EQ(hot.At(edit.left + 3, edit.bottom - 1), shades.dark);
    EXPECT_GT(hot.Count(edit, MenuSkinArea::kMenuOver), 10);
    EXPECT_EQ(hot.At(items[0].left + 3, items[0].top), MenuSkinArea::kStrip);
    EXPECT_EQ(left.At(edit.left + 3, edit.top), MenuSkinArea::kStrip);
    EXPECT_EQ(left.Count(edit, MenuSkinArea::kMenuOver), 0);
}

TEST_F(MenuBarOnScreen, APressOnTheBarBesideItsItemsOpensNothingAndReachesTheForm) {
    RECT w{};
    GetWindowRect(hwnd, &w);
    // Below the items, still within the bar's area.
    const POINT beside{items[1].left + 5, w.top + MenuSkinArea::kCaption - 2};
    ASSERT_GE(beside.y, items[1].bottom);
    const int presses = ProbeWindow::counts[WM_LBUTTONDOWN];
    size_t popupsOpen = 1;
    test::WhileInput([&] {
        test::Click(beside.x, beside.y);
        Sleep(kSettle);
        popupsOpen = test::OpenPopupMenus().size();
    });
    EXPECT_EQ(popupsOpen, 0u);
    EXPECT_EQ(ProbeWindow::counts[WM_LBUTTONDOWN], presses + 1);
    EXPECT_EQ(area->bar->DownItem(), 0);
}

TEST_F(MenuBarOnScreen, AClickOpensThePopupUnderItsItemDrawnInTheSkin) {
    RECT popup{};
    ScreenImage shown, bar;
    std::vector<RECT> rows;
    test::WhileInput([&] {
        ClickItem(1);
        popup = WaitForPopupAt(items[0].left);
        for (UINT i = 0; i < 7; ++i)
            rows.push_back(PopupItemRect(popups[0], i));
        shown = ScreenImage(popup);
        bar = ScreenImage(items[0]);
        test::SaveScreenshot("menubar_popup_open", {kX - 10, kY - 10, kX + kW, popup.bottom + 10});
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    ASSERT_FALSE(IsRectEmpty(&popup));
    EXPECT_EQ(popup.top, items[0].bottom);
    EXPECT_EQ(hookInPopups(), std::vector<bool>{true}); // the filter hook lives around the popup
    EXPECT_FALSE(MenuHookInstalled());
    EXPECT_EQ(area->bar->DownItem(), -1);
    EXPECT_TRUE(commands().empty());
    // While open, its bar item looks pressed: sunken, under the mouse.
    EXPECT_EQ(bar.At(items[0].left + 3, items[0].top), shades.dark);
    EXPECT_EQ(bar.At(items[0].left + 3, items[0].bottom - 1), shades.light);

    ASSERT_EQ(rows.size(), 7u);
    const RECT& open = rows[1]; // "&Open...\tCtrl+O"
    ASSERT_FALSE(IsRectEmpty(&open));
    EXPECT_EQ(shown.At(open.left + 1, open.top + 1), MenuSkinArea::kMenuBack);
    EXPECT_GT(shown.Count({open.left + 24, open.top, open.left + 80, open.bottom},
                          MenuSkinArea::kMenuText),
              10);
    EXPECT_GT(
        shown.Count({open.right - 60, open.top, open.right, open.bottom}, MenuSkinArea::kMenuText),
        10); // the shortcut column
    EXPECT_EQ(
        shown.Count({open.left, open.top, open.left + 24, open.bottom}, MenuSkinArea::kMenuText),
        0);
    const RECT& separator = rows[2];
    EXPECT_EQ(separator.bottom - separator.top, 6);
    EXPECT_EQ(shown.At(separator.left + 30, separator.top + 2), shades.dark);
    const RECT& save = rows[3]; // grayed: embossed
    EXPECT_GT(shown.Count(save, shades.light), 5);
    EXPECT_GT(shown.Count(save, shades.dark), 5);
    EXPECT_EQ(shown.Count(save, MenuSkinArea::kMenuText), 0);
}

TEST_F(MenuBarOnScreen, CheckAndRadioMarksShowInTheirPopups) {
    std::vector<RECT> rows;
    ScreenImage edit, view;
    test::WhileInput([&] {
        ClickItem(2);
        RECT r = WaitForPopupAt(items[1].left);
        rows.push_back(PopupItemRect(popups[1], 6)); // "&Word wrap", checked
        edit = ScreenImage(r);
        test::SaveScreenshot("menubar_edit_popup_check",
                             {kX - 10, kY - 10, kX + kW, r.bottom + 10});
        Press(VK_ESCAPE);
        WaitForNoPopup();
        ClickItem(3);
        r = WaitForPopupAt(items[2].left);
        rows.push_back(PopupItemRect(popups[2], 0)); // "&Large", the checked radio item
        rows.push_back(PopupItemRect(popups[2], 1));
        view = ScreenImage(r);
        test::SaveScreenshot("menubar_view_popup_radio",
                             {kX - 10, kY - 10, kX + kW, r.bottom + 10});
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    ASSERT_EQ(rows.size(), 3u);
    auto markArea = [](RECT row) {
        return RECT{row.left + 6, row.top + 4, row.left + 22, row.bottom - 4};
    };
    EXPECT_GT(edit.Count(markArea(rows[0]), MenuSkinArea::kMenuText), 4);
    EXPECT_GT(edit.Count(markArea(rows[0]), shades.dark), 4); // the sunken square
    EXPECT_GT(view.Count(markArea(rows[1]), MenuSkinArea::kMenuText), 4);
    EXPECT_EQ(view.Count(markArea(rows[2]), MenuSkinArea::kMenuText), 0);
}

TEST_F(MenuBarOnScreen, LeftAndRightMoveFromPopupToPopupAndWrapAround) {
    std::vector<LONG> seen;
    test::WhileInput([&] {
        auto step = [&](WORD key, long expected) {
            Press(key);
            seen.push_back(WaitForPopupAt(items[expected - 1].left).left);
        };
        ClickItem(1);
        seen.push_back(WaitForPopupAt(items[0].left).left);
        step(VK_RIGHT, 2);
        step(VK_RIGHT, 3);
        test::SaveScreenshot("menubar_right_to_view", {kX - 10, kY - 10, kX + kW, kY + kH});
        step(VK_LEFT, 2);
        step(VK_LEFT, 1);
        step(VK_LEFT, 4); // from the first to the last
        step(VK_RIGHT, 1);
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    const std::vector<LONG> expected{items[0].left, items[1].left, items[2].left, items[1].left,
                                     items[0].left, items[3].left, items[0].left};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(test::OpenPopupMenus().empty());
    EXPECT_EQ(hookInPopups().size(), 7u);
}

TEST_F(MenuBarOnScreen, ASubmenuTakesRightAndLeftBeforeTheBarDoes) {
    size_t inSubmenu = 0, afterLeft = 0;
    LONG stayed = 0, fileLeft = 0, nextLeft = 0;
    test::WhileInput([&] {
        ClickItem(1);
        WaitForPopupAt(items[0].left);
        Press(VK_UP);    // "E&xit"
        Press(VK_UP);    // "&Recent", which opens a submenu
        Press(VK_RIGHT); // opens it, and does not go to the next bar item
        WaitFor([] { return test::OpenPopupMenus().size() == 2; });
        inSubmenu = test::OpenPopupMenus().size();
        stayed = test::OpenPopupMenus().empty() ? 0 : test::OpenPopupMenus().back().left;
        test::SaveScreenshot("menubar_submenu_open", {kX - 10, kY - 10, kX + kW, kY + kH});
        Press(VK_LEFT); // closes the submenu only
        WaitFor([] { return test::OpenPopupMenus().size() == 1; });
        afterLeft = test::OpenPopupMenus().size();
        fileLeft = test::OpenPopupMenus().empty() ? 0 : test::OpenPopupMenus()[0].left;
        Press(VK_LEFT); // now the bar's previous item, wrapping to the last
        nextLeft = WaitForPopupAt(items[3].left).left;
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    EXPECT_EQ(inSubmenu, 2u);
    EXPECT_EQ(stayed, items[0].left);
    EXPECT_EQ(afterLeft, 1u);
    EXPECT_EQ(fileLeft, items[0].left);
    EXPECT_EQ(nextLeft, items[3].left);
}

TEST_F(MenuBarOnScreen, MovingAlongTheBarSwitchesPopupsWithoutAClick) {
    LONG atEdit = 0, atHelp = 0;
    size_t afterPressOnOwnItem = 0;
    test::WhileInput([&] {
        ClickItem(1);
        WaitForPopupAt(items[0].left);
        const POINT edit = Centre(items[1]), help = Centre(items[3]);
        // The bar takes a move only once its popup has been up for 50 ms: nothing to wait for.
        Sleep(60);
        test::MouseMove(edit.x, edit.y);
        atEdit = WaitForPopupAt(items[1].left).left;
        Sleep(60);
        test::MouseMove(help.x, help.y);
        atHelp = WaitForPopupAt(items[3].left).left;
        test::SaveScreenshot("menubar_moved_to_help", {kX - 10, kY - 10, kX + kW, kY + kH});
        // A press on the item whose popup is open is swallowed: it stays open.
        test::Click(help.x, help.y);
        Sleep(kSettle);
        afterPressOnOwnItem = test::OpenPopupMenus().size();
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    EXPECT_EQ(atEdit, items[1].left);
    EXPECT_EQ(atHelp, items[3].left);
    EXPECT_EQ(afterPressOnOwnItem, 1u);
    EXPECT_TRUE(commands().empty());
}

TEST_F(MenuBarOnScreen, AltAndALetterOpensThatMenuAndEscapeClosesIt) {
    LONG opened = 0, next = 0;
    size_t afterRelease = 0;
    bool closed = false;
    test::WhileInput([&] {
        test::KeyDown(VK_MENU);
        test::KeyDown('V');
        opened = WaitForPopupAt(items[2].left).left;
        test::SaveScreenshot("menubar_alt_v", {kX - 10, kY - 10, kX + kW, kY + kH});
        test::KeyUp('V');
        test::KeyUp(VK_MENU);
        Sleep(kSettle);
        afterRelease = test::OpenPopupMenus().size();
        // Alt+V reaches the bar again from inside the popup's loop and opens
        // nothing more: the popup is still tracked, and Right moves on.
        Press(VK_RIGHT);
        next = WaitForPopupAt(items[3].left).left;
        Press(VK_ESCAPE);
        closed = WaitForNoPopup();
    });
    EXPECT_EQ(opened, items[2].left);
    EXPECT_EQ(afterRelease, 1u);
    EXPECT_EQ(next, items[3].left);
    EXPECT_TRUE(closed);
    EXPECT_EQ(ProbeWindow::counts[WM_SYSCHAR], 0); // the hook swallowed the letter
    EXPECT_EQ(area->bar->DownItem(), -1);
    test::SaveWindowShot("menubar_after_escape", hwnd);
}

TEST_F(MenuBarOnScreen, ChosenCommandsReachTheForm) {
    size_t stillOpen = 0;
    test::WhileInput([&] {
        // By the mouse.
        ClickItem(1);
        WaitForPopupAt(items[0].left);
        const POINT open = Centre(PopupItemRect(popups[0], 1));
        test::MouseMove(open.x, open.y);
        Sleep(kSettle); // nothing marks the highlight as drawn: given time for the screenshot
        test::SaveScreenshot("menubar_item_highlighted", {kX - 10, kY - 10, kX + kW, kY + kH});
        test::Click(open.x, open.y);
        WaitForNoPopup();
        // By the items' own mnemonics, typed in their popups.
        ClickItem(2);
        WaitForPopupAt(items[1].left);
        Press('C');
        WaitForNoPopup();
        // A bar item's mnemonic switches to its popup, where "S" picks "&Small".
        ClickItem(2);
        WaitForPopupAt(items[1].left);
        Press('V');
        WaitForPopupAt(items[2].left);
        Press('S');
        WaitForNoPopup();
        // A letter that names nothing leaves the popup open.
        ClickItem(4);
        WaitForPopupAt(items[3].left);
        Press('Q');
        stillOpen = test::OpenPopupMenus().size();
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    EXPECT_EQ(commands(), (std::vector<UINT>{test::kOpen, test::kCopy, test::kSmall}));
    EXPECT_EQ(stillOpen, 1u);
}

TEST_F(MenuBarOnScreen, ItemsSharingAMnemonicOpenOneAfterTheOther) {
    UniqueMenu twins(CreateMenu());
    HMENU edit = CreatePopupMenu(), extra = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, 1, "&Undo");
    AppendMenuA(extra, MF_STRING, 2, "&Tools");
    AppendMenuA(twins.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    AppendMenuA(twins.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(extra), "&Extra");
    UseMenu(twins.get());
    ASSERT_EQ(items.size(), 2u);
    LONG first = 0, second = 0;
    bool closed = false;
    test::WhileInput([&] {
        test::KeyDown(VK_MENU);
        test::KeyDown('E');
        first = WaitForPopupAt(items[0].left).left;
        test::KeyUp('E');
        test::KeyUp(VK_MENU);
        Press(VK_ESCAPE);
        second = WaitForPopupAt(items[1].left).left;
        Press(VK_ESCAPE);
        closed = WaitForNoPopup();
    });
    EXPECT_EQ(first, items[0].left);
    EXPECT_EQ(second, items[1].left);
    EXPECT_TRUE(closed);
    UseOwnMenuAgain();
}

TEST_F(MenuBarOnScreen, WithOneItemLeftAndRightChangeNothing) {
    UniqueMenu single(CreateMenu());
    HMENU only = CreatePopupMenu();
    AppendMenuA(only, MF_STRING, 1, "&First");
    AppendMenuA(only, MF_STRING, 2, "&Second");
    AppendMenuA(single.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(only), "&Only");
    UseMenu(single.get());
    ASSERT_EQ(items.size(), 1u);
    std::vector<LONG> seen;
    test::WhileInput([&] {
        ClickItem(1);
        seen.push_back(WaitForPopupAt(items[0].left).left);
        Press(VK_RIGHT);
        seen.push_back(WaitForPopupAt(items[0].left).left);
        Press(VK_LEFT);
        seen.push_back(WaitForPopupAt(items[0].left).left);
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    EXPECT_EQ(seen, std::vector<LONG>(3, items[0].left));
    EXPECT_EQ(hookInPopups().size(), 1u); // one popup, never reopened
    UseOwnMenuAgain();
}

TEST_F(MenuBarOnScreen, APressSentWhileAPopupIsOpenChangesNothing) {
    bool skinned = false;
    LONG next = 0;
    test::WhileInput([&] {
        ClickItem(1);
        WaitForPopupAt(items[0].left);
        // Sent from this thread, it reaches the form inside the popup's menu loop.
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        Press(VK_DOWN); // "&New", highlighted in the skin's colour
        const RECT row = PopupItemRect(popups[0], 0);
        skinned =
            WaitFor([&] { return ScreenImage(row).Count(row, MenuSkinArea::kMenuOver) > 10; });
        Press(VK_RIGHT);
        next = WaitForPopupAt(items[1].left).left;
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    EXPECT_TRUE(skinned);
    EXPECT_EQ(next, items[1].left);
}

TEST_F(MenuBarOnScreen, DetachingWhileAPopupIsOpenLeavesNothingBehind) {
    // The form lets the skin go as the popup opens.
    ProbeWindow::action = [this](HWND, UINT msg, WPARAM, LPARAM) {
        if (msg == WM_INITMENUPOPUP && area->bar) area->Detach();
    };
    bool opened = false, closed = false;
    test::WhileInput([&] {
        ClickItem(1);
        opened = WaitFor([] { return test::OpenPopupMenus().size() == 1; });
        Press(VK_RIGHT); // the tracker no longer hears the keys
        Press(VK_ESCAPE);
        closed = WaitForNoPopup();
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(area->bar);
    EXPECT_FALSE(MenuHookInstalled());
    EXPECT_EQ(GetMenu(hwnd), menu.get());
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0); // nothing of the bar is left to answer
    PumpUntilIdle();
}

TEST_F(MenuBarOnScreen, AfterDetachTheFormShowsItsOwnMenuAgain) {
    // Open popups first, so that their items have been owner-drawn.
    test::WhileInput([&] {
        ClickItem(1);
        WaitForPopupAt(items[0].left);
        Press(VK_RIGHT);
        WaitForPopupAt(items[1].left);
        Press(VK_ESCAPE);
        WaitForNoPopup();
    });
    area->Detach();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpUntilIdle();
    EXPECT_EQ(GetMenu(hwnd), menu.get());
    EXPECT_EQ(test::Snapshot(menu.get()), before);
    test::SaveWindowShot("menubar_detached_own_menu", hwnd);
}

} // namespace
} // namespace qel
