// The menu bar on a hidden form: its layout and looks drawn into a memory
// surface, hit testing, the owner-drawn popup items and their restoration,
// its answers to WM_MENUCHAR, and what is left when it goes.
#include "hooking/MSubclass.h"
#include "hooking/MTimer.h"
#include "renderer/MenuHook.h"
#include "tests/renderer/FormMenu.h"
#include "tests/renderer/MenuSkinArea.h"
#include "tests/support/Handlers.h"
#include "tests/support/Resources.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <optional>

namespace qel {
namespace {

using test::MenuSkinArea;
using test::ProbeWindow;

constexpr int kX = 100, kY = 80, kW = 420, kH = 260;

int CountPixels(HDC dc, RECT r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += GetPixel(dc, x, y) == colour ? 1 : 0;
    return n;
}

class MenuBarOffScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ProbeWindow::Reset();
        window = ProbeWindow::Create(kX, kY, kW, kH);
        hwnd = window.get();
        menu = test::MakeFormMenu();
        SetMenu(hwnd, menu.get());
        popups = test::BarPopups(menu.get());
        area = MenuSkinArea::Create(hwnd);
        area->Attach();
        bar = area->bar;
        frame.emplace(nullptr, kW, kH);
        Paint();
    }
    void TearDown() override {
        bar.reset();
        area->Detach();
        area.reset();
        SetMenu(hwnd, nullptr);
        window.reset();
        ProbeWindow::Reset();
    }

    void Paint() { area->Paint(frame->dc(), kW, kH); }
    HDC Frame() const { return frame->dc(); }
    // An item's rectangle relative to the window.
    RECT ItemRect(long index) const {
        RECT r{}, w{};
        bar->GetItemScreenRect(index, r);
        GetWindowRect(hwnd, &w);
        OffsetRect(&r, -w.left, -w.top);
        return r;
    }
    // The size of a caption in the bar's font.
    SIZE Measure(const char* caption, long height) const {
        HFONT font = nullptr;
        area->font->get_hFont(&font);
        MemorySurface dc(nullptr, 1, 1);
        Selection selected(dc.dc(), font);
        RECT r{0, 0, 0, height};
        DrawTextA(dc.dc(), caption, -1, &r, DT_CALCRECT);
        return {r.right - r.left, r.bottom - r.top};
    }
    // The widest of some captions, plus 1, as a popup's column width.
    LONG Widest(std::initializer_list<const char*> captions) const {
        LONG widest = 0;
        for (const char* c : captions)
            widest = std::max(widest, Measure(c, 100).cx);
        return widest + 1;
    }
    ULONG_PTR DataOf(HMENU popup, UINT position) const {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        GetMenuItemInfoA(popup, position, TRUE, &info);
        return info.dwItemData;
    }

    UniqueWindow window;
    HWND hwnd = nullptr;
    UniqueMenu menu;
    std::vector<HMENU> popups;
    ComPtr<MenuSkinArea> area;
    ComPtr<cMenuBar> bar;
    std::optional<MemorySurface> frame;
};

// ---- Layout and looks -------------------------------------------------------

TEST_F(MenuBarOffScreen, ThePopupItemsOfTheMenuAreLaidOutLeftToRight) {
    ASSERT_EQ(bar->BarItemCount(), 4); // "Run!" has a command of its own
    const char* captions[] = {"&File", "&Edit", "&View", "&Help"};
    const long height = MenuSkinArea::kCaption - MenuSkinArea::kMenuTop;
    long x = 8;
    for (long i = 1; i <= 4; ++i) {
        const SIZE text = Measure(captions[i - 1], height);
        const RECT r = ItemRect(i);
        // The text grown by 2, and by 5 more on the left and 6 more on the right.
        EXPECT_EQ(r.left, MenuSkinArea::kMenuLeft + x - 7) << i;
        EXPECT_EQ(r.right, MenuSkinArea::kMenuLeft + x + text.cx + 8) << i;
        EXPECT_EQ(r.top, MenuSkinArea::kMenuTop + 2) << i;
        EXPECT_EQ(r.bottom, MenuSkinArea::kMenuTop + 2 + text.cy + 4) << i;
        EXPECT_EQ(bar->GetSubMenuFor(i), popups[i - 1]);
        x += text.cx + 11;
    }
    EXPECT_EQ(area->menuBarRect.right, MenuSkinArea::kMenuHitLeft + x);
    EXPECT_EQ(bar->GetSubMenuFor(0), nullptr);
    EXPECT_EQ(bar->GetSubMenuFor(5), nullptr);
    RECT untouched{1, 2, 3, 4};
    bar->GetItemScreenRect(5, untouched);
    EXPECT_EQ(untouched.left, 1);
    EXPECT_EQ(untouched.bottom, 4);
}

TEST_F(MenuBarOffScreen, NormalHotAndPressedItemsLookDifferent) {
    const test::EdgeShades shades = test::MenuEdgeShades();
    const RECT edit = ItemRect(2);
    // Items in the colour of the window's state, without edges.
    VARIANT_BOOL active = VARIANT_FALSE;
    area->ncs->get_WindowActive(&active);
    const COLORREF normal = active ? MenuSkinArea::kMenuText : MenuSkinArea::kMenuInactive;
    EXPECT_GT(CountPixels(Frame(), edit, normal), 10);
    EXPECT_EQ(GetPixel(Frame(), edit.left + 3, edit.top), MenuSkinArea::kStrip);

    bar->SetOverItem(2); // hot: raised, in the hover colour
    Paint();
    EXPECT_EQ(GetPixel(Frame(), edit.left + 3, edit.top), shades.light);
    EXPECT_EQ(GetPixel(Frame(), edit.left, edit.top + 3), shades.light);
    EXPECT_EQ(GetPixel(Frame(), edit.left + 3, edit.bottom - 1), shades.dark);
    EXPECT_EQ(GetPixel(Frame(), edit.right - 1, edit.top + 3), shades.dark);
    EXPECT_GT(CountPixels(Frame(), edit, MenuSkinArea::kMenuOver), 10);
    EXPECT_EQ(CountPixels(Frame(), edit, normal), 0);
    EXPECT_EQ(GetPixel(Frame(), ItemRect(1).left + 3, ItemRect(1).top), MenuSkinArea::kStrip);

    bar->SetDownItem(2, true); // pressed under the mouse: sunken
    Paint();
    EXPECT_EQ(GetPixel(Frame(), edit.left + 3, edit.top), shades.dark);
    EXPECT_EQ(GetPixel(Frame(), edit.left + 3, edit.bottom - 1), shades.light);
    EXPECT_EQ(bar->DownItem(), 2);

    bar->SetOverItem(0); // pressed, mouse elsewhere: raised again
    Paint();
    EXPECT_EQ(GetPixel(Frame(), edit.left + 3, edit.top), shades.light);

    bar->SetDownItem(3, false); // another item's release leaves it pressed
    EXPECT_EQ(bar->DownItem(), 2);
    bar->SetDownItem(2, false);
    EXPECT_EQ(bar->DownItem(), -1);
    Paint();
    EXPECT_EQ(GetPixel(Frame(), edit.left + 3, edit.top), MenuSkinArea::kStrip);
}

TEST_F(MenuBarOffScreen, AnInactiveWindowsItemsTakeTheInactiveColour) {
    HFONT font = nullptr;
    area->font->get_hFont(&font);
    MemorySurface strip(nullptr, 300, 40);
    auto render = [&](bool active, COLORREF shown, COLORREF absent) {
        RECT all{0, 0, 300, 40};
        FillRect(strip.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        long right = 0;
        bar->Render(font, strip.dc(), 10, 5, 280, 30, -20, active, right);
        EXPECT_GT(CountPixels(strip.dc(), all, shown), 20) << active;
        EXPECT_EQ(CountPixels(strip.dc(), all, absent), 0) << active;
    };
    render(false, MenuSkinArea::kMenuInactive, MenuSkinArea::kMenuText);
    render(true, MenuSkinArea::kMenuText, MenuSkinArea::kMenuInactive);
}

TEST_F(MenuBarOffScreen, RenderWithoutPopupsEmptyMenusOrNoMenu) {
    HFONT font = nullptr;
    area->font->get_hFont(&font);
    MemorySurface strip(nullptr, 300, MenuSkinArea::kCaption);
    auto render = [&](long& right) {
        bar->Render(font, strip.dc(), 10, 20, 280, 24, -22, true, right);
    };

    UniqueMenu commands(CreateMenu());
    AppendMenuA(commands.get(), MF_STRING, 1, "&Go");
    AppendMenuA(commands.get(), MF_STRING, 2, "&Stop");
    bar->SethMenu(commands.get());
    long right = -5;
    render(right);
    EXPECT_EQ(bar->BarItemCount(), 0);
    EXPECT_EQ(right, 8);

    UniqueMenu empty(CreateMenu());
    bar->SethMenu(empty.get());
    right = -5;
    render(right);
    EXPECT_EQ(bar->BarItemCount(), 0);
    EXPECT_EQ(right, -5);

    bar->SethMenu(menu.get());
    render(right);
    ASSERT_EQ(bar->BarItemCount(), 4);
    // No menu: nothing is drawn and the last layout stays.
    bar->SethMenu(nullptr);
    right = -5;
    render(right);
    EXPECT_EQ(bar->BarItemCount(), 4);
    EXPECT_EQ(right, -5);
}

TEST_F(MenuBarOffScreen, APointIsTestedFromTheWindowsLeftEdgeAndTheClientTop) {
    RECT w{};
    GetWindowRect(hwnd, &w);
    // 3 pixels above the client area and 20 right of the window's left edge.
    POINT pt{w.left + 20, w.top + MenuSkinArea::kCaption - 3};
    const long item = bar->HitTestPoint(pt);
    EXPECT_EQ(pt.x, 20 - MenuSkinArea::kBorder);
    EXPECT_EQ(pt.y, -3);
    const RECT file = ItemRect(1);
    const POINT inWindow{20, MenuSkinArea::kCaption - 3};
    EXPECT_EQ(item, PtInRect(&file, inWindow) ? 1 : 0);

    auto at = [&](LONG x, LONG y) {
        POINT p{w.left + x, w.top + y};
        return bar->HitTestPoint(p);
    };
    const RECT edit = ItemRect(2);
    const LONG middle = (edit.top + edit.bottom) / 2;
    ASSERT_LT(edit.left, file.right); // neighbours overlap by 4 pixels
    EXPECT_EQ(file.right - edit.left, 4);
    EXPECT_EQ(at(edit.left, middle), 1); // the overlap goes to the lower index
    EXPECT_EQ(at(file.right, middle), 2);
    EXPECT_EQ(at(edit.right + 20, middle), 3);
    EXPECT_EQ(at(file.left - 1, middle), 0);
    EXPECT_EQ(at(file.left + 5, edit.bottom), 0);
    EXPECT_EQ(at(file.left + 5, 5), 0);
}

// ---- Owner-drawn popup items ------------------------------------------------

TEST_F(MenuBarOffScreen, PreparedItemsAreOwnerDrawnAndComeBackUnchanged) {
    const std::vector<test::ItemRecord> before = test::Snapshot(menu.get());
    for (HMENU popup : popups)
        bar->PreparePopupItems(popup);
    bar->PreparePopupItems(GetSubMenu(popups[0], 5)); // the submenu "Recent"
    bar->PreparePopupItems(popups[0]);                // the same popup again
    std::map<ULONG_PTR, int> indices;
    for (const test::ItemRecord& item : test::Snapshot(menu.get())) {
        if (item.menu == menu.get()) continue; // the bar's own items are never touched
        EXPECT_TRUE(item.type & MFT_OWNERDRAW) << item.text;
        ++indices[item.data];
    }
    EXPECT_EQ(indices.size(), before.size() - 5); // each item has an index of its own
    bar->RestorePopupItems();
    EXPECT_EQ(test::Snapshot(menu.get()), before);
}

TEST_F(MenuBarOffScreen, CaptionsOfAnyLengthSurvive) {
    HMENU help = popups[3];
    const std::string longText = std::string(300, 'w') + "&z" + std::string(200, 'y') + "\tCtrl+L";
    AppendMenuA(help, MF_STRING, 402, longText.c_str());
    const std::vector<test::ItemRecord> before = test::Snapshot(help);
    bar->PreparePopupItems(help);
    bar->RestorePopupItems();
    EXPECT_EQ(test::ReadItemText(help, 1), longText);
    EXPECT_EQ(test::Snapshot(help), before);
}

TEST_F(MenuBarOffScreen, ItemsAddedOrMovedAfterPreparationKeepTheirOwnDefinitions) {
    HMENU file = popups[0];
    const std::vector<test::ItemRecord> original = test::Snapshot(file);
    bar->PreparePopupItems(file);
    // Added while the popup is prepared: one before all others, one at the end.
    InsertMenuA(file, 0, MF_BYPOSITION | MF_STRING, 150, "&Inserted");
    AppendMenuA(file, MF_STRING | MF_CHECKED, 151, "&Appended\tF9");
    bar->PreparePopupItems(file);
    EXPECT_TRUE(GetMenuState(file, 150, MF_BYCOMMAND) & MF_OWNERDRAW);
    EXPECT_TRUE(GetMenuState(file, 151, MF_BYCOMMAND) & MF_OWNERDRAW);
    // One more added without preparing again moves every item down once more.
    InsertMenuA(file, 0, MF_BYPOSITION | MF_STRING, 152, "&Late");
    bar->RestorePopupItems();

    ASSERT_EQ(GetMenuItemCount(file), 10);
    EXPECT_EQ(test::ReadItemText(file, 0), "&Late");
    EXPECT_EQ(test::ReadItemText(file, 1), "&Inserted");
    EXPECT_EQ(GetMenuItemID(file, 1), 150u);
    EXPECT_EQ(test::ReadItemText(file, 9), "&Appended\tF9");
    EXPECT_EQ(GetMenuItemID(file, 9), 151u);
    EXPECT_TRUE(GetMenuState(file, 151, MF_BYCOMMAND) & MF_CHECKED);
    for (UINT i = 0; i < 10; ++i)
        EXPECT_FALSE(GetMenuState(file, i, MF_BYPOSITION) & MF_OWNERDRAW) << i;
    const std::vector<test::ItemRecord> after = test::Snapshot(file);
    for (size_t i = 0; i < original.size(); ++i) {
        test::ItemRecord moved = after[i + 2];
        moved.position = original[i].position;
        EXPECT_EQ(moved, original[i]) << original[i].text;
    }
}

TEST_F(MenuBarOffScreen, MeasuringFindsTheItemByItsDataAndSizesItsPopupsColumns) {
    HMENU edit = popups[1], view = popups[2];
    // The same command twice, in popups of different widths.
    AppendMenuA(view, MF_STRING, test::kCopy, "A much longer caption than any in Edit");
    bar->PreparePopupItems(edit);
    bar->PreparePopupItems(view);

    auto measure = [&](ULONG_PTR data, UINT id = test::kCopy) {
        MEASUREITEMSTRUCT m{ODT_MENU, 0, id, 7, 5, data};
        SendMessageA(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
        return SIZE{static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
    };
    const long textHeight = Measure("Tg", 100).cy;
    const SIZE copy = measure(DataOf(edit, 3));
    const SIZE longer = measure(DataOf(view, 3));
    const LONG widestInEdit = Widest({"&Undo", "Cu&t", "&Copy", "&Paste", "&Word wrap"});
    const LONG widestShortcut = Widest({"Ctrl+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V"});
    EXPECT_EQ(copy.cx, widestInEdit + 30 + widestShortcut + 8);
    EXPECT_EQ(longer.cx, Measure("A much longer caption than any in Edit", 100).cx + 1 + 30);
    EXPECT_EQ(copy.cy, textHeight + 1 + 8);
    EXPECT_EQ(measure(DataOf(edit, 1), GetMenuItemID(edit, 1)).cy, 6); // a separator
    // Unknown to the tables: the proposed size stays.
    EXPECT_EQ(measure(0).cx, 7);
    EXPECT_EQ(measure(999).cy, 5);
    // Not a menu item: the form's own procedure answers.
    const int formSaw = ProbeWindow::counts[WM_MEASUREITEM];
    MEASUREITEMSTRUCT button{ODT_BUTTON, 1, 0, 7, 5, 0};
    SendMessageA(hwnd, WM_MEASUREITEM, 1, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(ProbeWindow::counts[WM_MEASUREITEM], formSaw + 1);
    bar->RestorePopupItems();
}

// The host's own owner-drawn item, with the item data the bar gives its first
// item of the same popup: measured, drawn and kept by the host alone.
TEST_F(MenuBarOffScreen, AHostsOwnOwnerDrawnItemsAreNeverTakenForTheBars) {
    HMENU edit = popups[1];
    AppendMenuA(edit, MF_OWNERDRAW, 777, reinterpret_cast<LPCSTR>(1));
    const std::vector<test::ItemRecord> before = test::Snapshot(edit);
    bar->PreparePopupItems(edit);
    bar->PreparePopupItems(edit); // known now: its items are looked up again
    const int measured = ProbeWindow::counts[WM_MEASUREITEM];
    MEASUREITEMSTRUCT m{ODT_MENU, 0, 777, 7, 5, 1};
    SendMessageA(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    EXPECT_EQ(ProbeWindow::counts[WM_MEASUREITEM], measured + 1);
    EXPECT_EQ(m.itemWidth, 7u);
    const int drawn = ProbeWindow::counts[WM_DRAWITEM];
    DRAWITEMSTRUCT d{
        ODT_MENU,       0, 777, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(edit), Frame(),
        {0, 0, 50, 20}, 1};
    SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    EXPECT_EQ(ProbeWindow::counts[WM_DRAWITEM], drawn + 1);
    bar->RestorePopupItems();
    EXPECT_EQ(test::Snapshot(edit), before);
}

class PopupItemDrawing : public MenuBarOffScreen {
protected:
    // Draws the item at `position` of `popup` as the menu asks for it, into a
    // 200 x height surface filled with white first.
    HDC Draw(HMENU popup, UINT position, LONG height = 22) {
        target.emplace(nullptr, kItemWidth, height);
        RECT all{0, 0, kItemWidth, height};
        FillRect(target->dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_MENU;
        d.itemID = GetMenuItemID(popup, static_cast<int>(position));
        d.itemAction = ODA_DRAWENTIRE;
        d.hwndItem = reinterpret_cast<HWND>(popup);
        d.hDC = target->dc();
        d.rcItem = all;
        d.itemData = DataOf(popup, position);
        SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
        return target->dc();
    }
    void SetState(HMENU popup, UINT position, UINT state) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        info.fState = state;
        SetMenuItemInfoA(popup, position, TRUE, &info);
    }
    static constexpr LONG kItemWidth = 200;
    const test::EdgeShades shades = test::MenuEdgeShades();
    std::optional<MemorySurface> target;
};

TEST_F(PopupItemDrawing, TextGoesInTheSkinsColoursWithTheShortcutInItsOwnColumn) {
    HMENU file = popups[0];
    bar->PreparePopupItems(file);
    HDC dc = Draw(file, 1); // "&Open...\tCtrl+O"
    EXPECT_EQ(GetPixel(dc, 1, 1), MenuSkinArea::kMenuBack);
    EXPECT_EQ(CountPixels(dc, {0, 0, 24, 22}, MenuSkinArea::kMenuText), 0);
    const LONG caption = Widest({"&New", "&Open...", "&Save", "&Recent", "E&xit"});
    const LONG column = 24 + caption + 8;
    EXPECT_GT(CountPixels(dc, {24, 0, 24 + caption, 22}, MenuSkinArea::kMenuText), 10);
    EXPECT_EQ(
        CountPixels(dc, {24 + Measure("&Open...", 100).cx, 0, column, 22}, MenuSkinArea::kMenuText),
        0);
    EXPECT_GT(CountPixels(dc, {column, 0, kItemWidth, 22}, MenuSkinArea::kMenuText), 10);

    SetState(file, 1, MFS_HILITE); // highlighted: the hover colour in a raised frame
    dc = Draw(file, 1);
    EXPECT_EQ(CountPixels(dc, {0, 0, kItemWidth, 22}, MenuSkinArea::kMenuText), 0);
    EXPECT_GT(CountPixels(dc, {24, 0, kItemWidth, 22}, MenuSkinArea::kMenuOver), 20);
    EXPECT_EQ(GetPixel(dc, 2, 10), shades.light);
    EXPECT_EQ(GetPixel(dc, 10, 0), shades.light);
    EXPECT_EQ(GetPixel(dc, kItemWidth - 3, 10), shades.dark);
    EXPECT_EQ(GetPixel(dc, 10, 21), shades.dark);
    EXPECT_EQ(GetPixel(dc, 1, 10), MenuSkinArea::kMenuBack);
    bar->RestorePopupItems();
}

TEST_F(PopupItemDrawing, DisabledItemsAreEmbossedAndNeverFramed) {
    HMENU file = popups[0];
    bar->PreparePopupItems(file);
    SetState(file, 3, MFS_GRAYED | MFS_HILITE); // "&Save"
    HDC dc = Draw(file, 3);
    const RECT text{24, 0, kItemWidth, 22};
    EXPECT_GT(CountPixels(dc, text, shades.light), 5);
    EXPECT_GT(CountPixels(dc, text, shades.dark), 5);
    EXPECT_EQ(CountPixels(dc, text, MenuSkinArea::kMenuText), 0);
    EXPECT_EQ(CountPixels(dc, text, MenuSkinArea::kMenuOver), 0);
    EXPECT_EQ(GetPixel(dc, 2, 10), MenuSkinArea::kMenuBack);
    EXPECT_EQ(GetPixel(dc, 10, 0), MenuSkinArea::kMenuBack);
    // Grayed as EnableMenuItem leaves it counts as disabled too.
    SetState(file, 3, MFS_HILITE);
    EnableMenuItem(file, 3, MF_BYPOSITION | MF_GRAYED);
    dc = Draw(file, 3);
    EXPECT_EQ(CountPixels(dc, text, MenuSkinArea::kMenuOver), 0);
    EXPECT_GT(CountPixels(dc, text, shades.dark), 5);
    bar->RestorePopupItems();
}

TEST_F(PopupItemDrawing, SeparatorsAreOneDarkLineInTheMiddle) {
    HMENU file = popups[0];
    bar->PreparePopupItems(file);
    HDC dc = Draw(file, 2, 6);
    for (LONG x : {8L, 50L, kItemWidth - 10})
        EXPECT_EQ(GetPixel(dc, x, 2), shades.dark) << x;
    EXPECT_EQ(GetPixel(dc, 7, 2), MenuSkinArea::kMenuBack);
    EXPECT_EQ(GetPixel(dc, kItemWidth - 8, 2), MenuSkinArea::kMenuBack);
    for (LONG y : {0L, 1L, 3L, 4L, 5L})
        EXPECT_EQ(GetPixel(dc, 50, y), MenuSkinArea::kMenuBack) << y;
    bar->RestorePopupItems();
}

TEST_F(PopupItemDrawing, CheckedItemsShowAMarlettGlyphInASunkenSquare) {
    HMENU edit = popups[1], view = popups[2];
    bar->PreparePopupItems(edit);
    bar->PreparePopupItems(view);
    // The square: R shrunk by 4, moved right by 2, as wide as it is high plus 1.
    const RECT box{6, 4, 6 + 14 + 1, 18};
    HDC dc = Draw(edit, 6); // "&Word wrap", checked
    EXPECT_EQ(GetPixel(dc, box.left + 5, box.top), shades.dark);
    EXPECT_EQ(GetPixel(dc, box.left, box.top + 5), shades.dark);
    EXPECT_EQ(GetPixel(dc, box.left + 5, box.bottom - 1), shades.light);
    const RECT inside{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    std::vector<COLORREF> check;
    for (LONG y = inside.top; y < inside.bottom; ++y)
        for (LONG x = inside.left; x < inside.right; ++x)
            check.push_back(GetPixel(dc, x, y));
    EXPECT_GT(CountPixels(dc, inside, MenuSkinArea::kMenuText), 4);

    dc = Draw(view, 0); // "&Large", the checked radio item
    EXPECT_GT(CountPixels(dc, inside, MenuSkinArea::kMenuText), 4);
    std::vector<COLORREF> radio;
    for (LONG y = inside.top; y < inside.bottom; ++y)
        for (LONG x = inside.left; x < inside.right; ++x)
            radio.push_back(GetPixel(dc, x, y));
    EXPECT_NE(check, radio); // a check mark and a bullet

    dc = Draw(view, 1); // "&Small", not checked: no square
    EXPECT_EQ(CountPixels(dc, {0, 0, 24, 22}, shades.dark), 0);
    EXPECT_EQ(CountPixels(dc, {0, 0, 24, 22}, MenuSkinArea::kMenuText), 0);
    bar->RestorePopupItems();
}

TEST_F(PopupItemDrawing, DrawingAndPreparingOverAndOverLeavesNoGdiObjectBehind) {
    HMENU file = popups[0];
    auto cycle = [&] {
        bar->SetOverItem(1);
        bar->SetDownItem(2, true);
        Paint();
        bar->SetDownItem(2, false);
        bar->PreparePopupItems(file);
        SetState(file, 3, MFS_GRAYED | MFS_HILITE);
        for (UINT i = 0; i < 7; ++i)
            Draw(file, i);
        bar->RestorePopupItems();
        target.reset();
    };
    cycle(); // the first use creates the system's own caches
    const DWORD gdi = test::GdiObjectCount();
    for (int i = 0; i < 200; ++i)
        cycle();
    EXPECT_EQ(test::GdiObjectCount(), gdi);
}

// ---- WM_MENUCHAR ------------------------------------------------------------

TEST_F(MenuBarOffScreen, TypedCharactersChooseItemsOfTheOpenPopupOnly) {
    HMENU file = popups[0];
    bar->PreparePopupItems(file);
    auto menuChar = [&](char c, WORD flags, HMENU popup) {
        return SendMessageA(hwnd, WM_MENUCHAR, MAKEWPARAM(static_cast<BYTE>(c), flags),
                            reinterpret_cast<LPARAM>(popup));
    };
    EXPECT_EQ(menuChar('x', MF_POPUP, file), MAKELRESULT(6, MNC_EXECUTE)); // "E&xit"
    EXPECT_EQ(menuChar('X', MF_POPUP, file), MAKELRESULT(6, MNC_EXECUTE));
    EXPECT_EQ(menuChar('o', MF_POPUP, file), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(menuChar('r', MF_POPUP, file), MAKELRESULT(5, MNC_EXECUTE)); // opens "Recent"
    // Anything else, a bar item's mnemonic while no bar popup is open, the
    // window menu, and popups not prepared: the form decides.
    int formSaw = ProbeWindow::counts[WM_MENUCHAR];
    EXPECT_EQ(menuChar('q', MF_POPUP, file), 0);
    EXPECT_EQ(menuChar('e', MF_POPUP, file), 0);
    EXPECT_EQ(menuChar('f', MF_POPUP, file), 0);
    menuChar('x', MF_POPUP | MF_SYSMENU, file);
    EXPECT_EQ(menuChar('u', MF_POPUP, popups[1]), 0);
    EXPECT_EQ(ProbeWindow::counts[WM_MENUCHAR], formSaw + 5);
    bar->RestorePopupItems();
    // Once restored, the popup's own text does the matching again.
    formSaw = ProbeWindow::counts[WM_MENUCHAR];
    menuChar('x', MF_POPUP, file);
    EXPECT_EQ(ProbeWindow::counts[WM_MENUCHAR], formSaw + 1);
}

TEST_F(MenuBarOffScreen, AltWithAKeyThatIsNoMnemonicOpensNothing) {
    EXPECT_FALSE(bar->AltKeyAccelerator('Q'));
    EXPECT_FALSE(bar->AltKeyAccelerator(0));
    EXPECT_FALSE(bar->AltKeyAccelerator(0x1234));
    EXPECT_FALSE(MenuHookInstalled());
    EXPECT_EQ(bar->DownItem(), 0);
}

// ---- Lifetime and modes -------------------------------------------------------

TEST_F(MenuBarOffScreen, ABarReleasedWithoutDetachLeavesNothingThatCanReachIt) {
    RECT file{};
    bar->GetItemScreenRect(1, file);
    POINT over{(file.left + file.right) / 2, (file.top + file.bottom) / 2};
    SetCursorPos(over.x, over.y);
    ScreenToClient(hwnd, &over); // a move reports the cursor's point in client pixels
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(RunningTimerCount(), 1); // the hover timer polls
    const auto framework = reinterpret_cast<LONG_PTR>(&SubclassWindowProc);
    ASSERT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), framework);

    area->bar.reset();
    bar.reset(); // the last reference, without Detach
    EXPECT_EQ(RunningTimerCount(), 0);
    EXPECT_FALSE(MenuHookInstalled());
    area->ncs->Detach();
    EXPECT_NE(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), framework);
    const int moves = ProbeWindow::counts[WM_MOUSEMOVE];
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    SendMessageA(hwnd, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(popups[0]));
    SendMessageA(hwnd, WM_MENUCHAR, 'f', reinterpret_cast<LPARAM>(popups[0]));
    EXPECT_EQ(ProbeWindow::counts[WM_MOUSEMOVE], moves + 1);
    test::PumpUntilIdle();
}

TEST_F(MenuBarOffScreen, InClientModeTheBarRaisesRepaintAndLeavesPopupsAlone) {
    bar->Attach(hwnd, true);
    int repaints = 0;
    bar->onRepaint = [&] { ++repaints; };
    HFONT font = nullptr;
    area->font->get_hFont(&font);
    MemorySurface strip(nullptr, 300, 40);
    long right = 0;
    bar->SethMenu(menu.get());
    bar->Render(font, strip.dc(), 10, 5, 280, 30, 0, true, right);
    RECT w{}, r{};
    GetWindowRect(hwnd, &w);
    bar->GetItemScreenRect(1, r);
    EXPECT_EQ(r.left - w.left, 10 + 1);
    EXPECT_EQ(r.top - w.top, 5 + 2);

    const int ncPaints = ProbeWindow::counts[WM_NCPAINT];
    bar->SetOverItem(1);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(ProbeWindow::counts[WM_NCPAINT], ncPaints);

    // Points are taken relative to the window's corner.
    POINT pt{w.left + r.left - w.left + 3, w.top + 10};
    EXPECT_EQ(bar->HitTestPoint(pt), 1);
    EXPECT_EQ(pt.x, r.left - w.left + 3);

    const int drawn = ProbeWindow::counts[WM_DRAWITEM];
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    EXPECT_EQ(ProbeWindow::counts[WM_DRAWITEM], drawn + 1);
}

// A menu object of the kind the bar can show instead of a menu handle: its
// items 1 and 3 are shown, with captions of its own.
class PopupMenuObject final : public ComObject<PopupMenuObject, IDispatch> {
public:
    explicit PopupMenuObject(HMENU menu) : menu_(menu) {}
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
        const std::wstring name = names[0];
        *id = name == L"Count"       ? 1
              : name == L"hMenu"     ? 2
              : name == L"ItemForID" ? 3
              : name == L"Caption"   ? 4
                                     : DISPID_UNKNOWN;
        return *id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        const LONG arg = p->cArgs ? V_I4(&p->rgvarg[0]) : 0;
        VariantInit(result);
        V_VT(result) = VT_I4;
        switch (id) {
        case 1:
            V_I4(result) = GetMenuItemCount(menu_);
            break;
        case 2:
            V_I4(result) = arg == 1 ? HandleToLong(menu_) : 0;
            break;
        case 3:
            V_I4(result) = arg == 11 ? 1 : arg == 13 ? 3 : 0;
            break;
        default:
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = SysAllocString(arg == 1 ? L"&One" : L"&Three");
        }
        return S_OK;
    }
    LONG References() {
        AddRef();
        return static_cast<LONG>(Release());
    }

private:
    HMENU menu_;
};

TEST_F(MenuBarOffScreen, AMenuObjectIsShownOnceAndThenLetGo) {
    UniqueMenu items(CreateMenu());
    for (UINT id : {11u, 12u, 13u})
        AppendMenuA(items.get(), MF_STRING, id, "ignored");
    auto object = PopupMenuObject::Create(items.get());
    HFONT font = nullptr;
    area->font->get_hFont(&font);
    MemorySurface strip(nullptr, 300, 40);
    long right = 0;
    bar->SethMenu(nullptr);
    bar->SetPopupMenuObject(object.get());
    EXPECT_GT(object->References(), 1);
    bar->Render(font, strip.dc(), 10, 5, 280, 30, -20, true, right);
    EXPECT_EQ(object->References(), 1);
    ASSERT_EQ(bar->BarItemCount(), 2);
    EXPECT_EQ(right, 8 + Measure("&One", 30).cx + 11 + Measure("&Three", 30).cx + 11);
    EXPECT_EQ(bar->GetSubMenuFor(2), reinterpret_cast<HMENU>(UINT_PTR{13}));

    // Without the object again: nothing is drawn, the layout stays.
    right = -1;
    bar->Render(font, strip.dc(), 10, 5, 280, 30, -20, true, right);
    EXPECT_EQ(right, -1);
    EXPECT_EQ(bar->BarItemCount(), 2);
}

} // namespace
} // namespace qel
