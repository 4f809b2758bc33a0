// Tab controls, elastic panels and grids: pages and nested tab controls switched
// by clicks and keys, grid cells made current by clicks and arrow keys, colours as
// drawn, their members reached late-bound as the skin control and the creator's
// forms reach them, repainting while a resize drag runs, and no leaks.
#include "base/LateBound.h"
#include "base/Twips.h"
#include "base/TypeName.h"
#include "base/Variant.h"
#include "forms/ElasticPanel.h"
#include "forms/Form.h"
#include "forms/Grid.h"
#include "forms/Label.h"
#include "forms/RuntimeError.h"
#include "forms/TabControl.h"
#include "tests/forms/FormsTesting.h"
#include "tests/support/Input.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <atomic>
#include <initializer_list>

namespace qel::forms {
namespace {

using qel::test::PumpUntil;
using qel::test::PumpUntilIdle;
using qel::test::ScreenPixel;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kGrey = RGB(128, 128, 128), kYellow = RGB(255, 255, 0),
                   kLightGreen = RGB(0x80, 0xFF, 0x80);

// The creator's layout in small: a tab control with a nested one and elastic
// panels on its pages, and a grid. The controls follow the form's size.
class LayoutForm : public Form {
public:
    LayoutForm() : Form("LayoutForm") {}

    TabControl* C1Tab1 = nullptr;
    TabControl* C1Tab2 = nullptr;       // on page 0 of C1Tab1
    ElasticPanel* C1Elastic1 = nullptr; // on page 0 of C1Tab1, red
    ElasticPanel* C1Elastic2 = nullptr; // on page 1 of C1Tab2, green
    ElasticPanel* C1Elastic3 = nullptr; // on page 1 of C1Tab1, blue
    Label* Label1 = nullptr;            // in C1Elastic3
    Grid* Grid1 = nullptr;
    std::vector<std::string> events;

protected:
    void Design() override {
        Caption("Layout");
        OnUnload = [this](int&) { C1Tab1 = nullptr; }; // the next load sizes before it builds
        ClientSize(12000, 5000);
        StartUp(StartUpPosition::CenterScreen);
        Grid1 = Add<Grid>("Grid1", 150, 150, 5790, 2925);
        Grid1->Rows(12);
        Grid1->Cols(5);
        Grid1->OnCellChange = [this] {
            events.push_back("Grid1 " + std::to_string(Grid1->Row()) + "," +
                             std::to_string(Grid1->Col()));
        };
        C1Tab1 = Add<TabControl>("C1Tab1", 6090, 150, 5760, 4700);
        C1Tab1->Caption("Active Skin|In-Active Skin|Buttons");
        C1Tab1->OnChange = [this] {
            events.push_back("C1Tab1 " + std::to_string(C1Tab1->CurrentPage()));
        };
        TabPage& active = C1Tab1->Page(0);
        C1Elastic1 = active.Add<ElasticPanel>("C1Elastic1", 0, 0, 2000, 600);
        C1Elastic1->BackColor(kRed);
        C1Tab2 = active.Add<TabControl>("C1Tab2", 0, 900, 5000, 3000);
        C1Tab2->Caption("Active Skin with Menu|Active Skin with No Menu");
        C1Tab2->OnChange = [this] {
            events.push_back("C1Tab2 " + std::to_string(C1Tab2->CurrentPage()));
        };
        C1Elastic2 = C1Tab2->Page(1).Add<ElasticPanel>("C1Elastic2", 0, 0, 2000, 1000);
        C1Elastic2->BackColor(kGreen);
        C1Elastic3 = C1Tab1->Page(1).Add<ElasticPanel>("C1Elastic3", 300, 300, 3000, 1500);
        C1Elastic3->BackColor(kBlue);
        Label1 = C1Elastic3->Add<Label>("Label1", 150, 150, 1500, 300);
        Label1->Caption("In-Active");
    }

    // The grid keeps its width and grows downwards; the tab control takes the rest.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SIZE && C1Tab1 && LOWORD(lParam) > 0) {
            Grid1->Height(ScaleHeight() - 300);
            C1Tab1->Move(6090, 150, ScaleWidth() - 6240, ScaleHeight() - 300);
        }
        return Form::HandleMessage(msg, wParam, lParam);
    }
};

// The colour shown at a client point of a window, once this thread has painted.
COLORREF At(HWND hwnd, int x, int y) {
    PumpUntilIdle();
    POINT p = test::ClientPoint(hwnd, x, y);
    return ScreenPixel(p.x, p.y);
}

HWND StripOf(const TabControl& tab) {
    return FindWindowExA(tab.hWnd(), nullptr, WC_TABCONTROLA, nullptr);
}

// Clicks the middle of tab `index` with the real mouse.
void ClickTab(const TabControl& tab, int index) {
    RECT r{};
    SendMessageA(StripOf(tab), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    POINT p = test::ClientPoint(StripOf(tab), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    qel::test::Click(p.x, p.y);
}

// A member called by dispatch identifier, as the creator's forms bind them; for
// a put the last argument is the value.
HRESULT ById(IDispatch* object, DISPID id, WORD flags, std::initializer_list<Variant> args,
             VARIANT* result = nullptr) {
    std::vector<VARIANTARG> reversed;
    for (auto it = args.end(); it != args.begin();)
        reversed.push_back((--it)->get());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = flags & DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                      put ? 1u : 0u};
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

class LayoutControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        PumpUntilIdle();
    }
    void TearDown() override {
        qel::test::MouseUp();
        form.Unload();
        PumpUntilIdle();
    }
    LayoutForm form;
};

TEST_F(LayoutControlsTest, PagesComeFromTheCaptionAndOnlyTheCurrentOneShows) {
    TabControl& tab = *form.C1Tab1;
    EXPECT_EQ(tab.PageCount(), 3);
    EXPECT_EQ(tab.Caption(), "Active Skin|In-Active Skin|Buttons");
    EXPECT_EQ(tab.CurrentPage(), 0);
    EXPECT_TRUE(form.events.empty()) << "no event while the form is built";
    EXPECT_TRUE(IsWindowVisible(form.C1Elastic1->hWnd()));
    EXPECT_FALSE(IsWindowVisible(form.C1Elastic3->hWnd()));

    tab.CurrentPage(1);
    tab.CurrentPage(1); // unchanged: no event
    EXPECT_EQ(form.events, std::vector<std::string>{"C1Tab1 1"});
    EXPECT_FALSE(IsWindowVisible(form.C1Elastic1->hWnd()));
    EXPECT_FALSE(IsWindowVisible(form.C1Tab2->hWnd()))
        << "the nested tab control goes with its page";
    EXPECT_TRUE(IsWindowVisible(form.Label1->hWnd()));
    EXPECT_EQ(At(form.C1Elastic3->hWnd(), 5, 5), kBlue);

    for (long bad : {-1L, 3L}) {
        try {
            tab.CurrentPage(bad);
            ADD_FAILURE() << "page " << bad << " does not exist";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), kInvalidPropertyValue);
        }
    }
    // A page that holds controls is not dropped; an empty one is.
    EXPECT_THROW(tab.Caption("One"), RuntimeError);
    EXPECT_EQ(tab.PageCount(), 3);
    tab.Caption("A|B");
    EXPECT_EQ(tab.Caption(), "A|B");
    EXPECT_EQ(tab.CurrentPage(), 1);
    EXPECT_THROW(tab.Page(2), RuntimeError);
}

TEST_F(LayoutControlsTest, TabsSwitchByClicksAndArrowKeysAndNestedTabsOnTheirOwn) {
    ClickTab(*form.C1Tab1, 2);
    ASSERT_TRUE(PumpUntil([&] { return !form.events.empty(); }));
    EXPECT_EQ(form.C1Tab1->CurrentPage(), 2);
    qel::test::KeyDown(VK_LEFT);
    qel::test::KeyUp(VK_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return form.events.size() == 2; }));
    EXPECT_EQ(form.events, (std::vector<std::string>{"C1Tab1 2", "C1Tab1 1"}));
    EXPECT_EQ(At(form.C1Elastic3->hWnd(), 5, 5), kBlue);

    form.C1Tab1->CurrentPage(0);
    form.events.clear();
    EXPECT_EQ(At(form.C1Elastic1->hWnd(), 5, 5), kRed);
    ClickTab(*form.C1Tab2, 1);
    ASSERT_TRUE(PumpUntil([&] { return !form.events.empty(); }));
    qel::test::KeyDown(VK_LEFT);
    qel::test::KeyUp(VK_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return form.events.size() == 2; }));
    qel::test::KeyDown(VK_RIGHT);
    qel::test::KeyUp(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return form.events.size() == 3; }));
    EXPECT_EQ(form.events, (std::vector<std::string>{"C1Tab2 1", "C1Tab2 0", "C1Tab2 1"}));
    EXPECT_EQ(form.C1Tab1->CurrentPage(), 0) << "the outer tab control stays";
    EXPECT_EQ(At(form.C1Elastic2->hWnd(), 5, 5), kGreen);
    qel::test::SaveWindowShot("layout-nested-tabs", form.hWnd());
}

TEST_F(LayoutControlsTest, TabColoursSetLateBoundAsTheCreatorSetsThemAreDrawn) {
    TabControl& tab = *form.C1Tab1;
    IDispatch* object = tab.Object();
    EXPECT_EQ(TypeName(object), L"TabControl");
    ASSERT_EQ(ById(object, DISPID_FORMS_BACKCOLOR, DISPATCH_PROPERTYPUT, {Variant(long(kYellow))}),
              S_OK);
    ASSERT_EQ(ById(object, 11, DISPATCH_PROPERTYPUT, {Variant(long(kGreen))}), S_OK);
    ASSERT_EQ(ById(object, 10, DISPATCH_PROPERTYPUT, {Variant(long(kGrey))}), S_OK);
    ASSERT_EQ(ById(object, DISPID_VALUE, DISPATCH_PROPERTYPUT, {Variant(2L)}), S_OK);
    Variant page;
    ASSERT_EQ(ById(object, DISPID_VALUE, DISPATCH_PROPERTYGET, {}, page.put()), S_OK);
    EXPECT_EQ(V_I4(page.put()), 2);
    EXPECT_EQ(tab.BackColor(), kYellow);
    PumpUntilIdle();

    HWND strip = StripOf(tab);
    RECT current{}, other{}, client{};
    SendMessageA(strip, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&current));
    SendMessageA(strip, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&other));
    GetClientRect(strip, &client);
    EXPECT_EQ(At(strip, current.left + 5, current.top + 3), kGreen) << "the current tab";
    EXPECT_EQ(At(strip, other.left + 5, other.top + 4), kGrey) << "another tab";
    EXPECT_EQ(At(strip, client.right - 3, current.top + 3), kYellow) << "behind the tabs";
    EXPECT_EQ(At(tab.Page(2).hWnd(), 20, 20), kYellow) << "the page";
    qel::test::SaveWindowShot("layout-tab-colours", form.hWnd());

    // The skin control walks the form's controls, those on pages included, and
    // reads and sets their colours by name.
    Variant controls;
    ASSERT_TRUE(GetProperty(form.Object(), L"Controls", controls.put()));
    std::vector<std::wstring> seen;
    for (const ComPtr<IDispatch>& control : CollectionItems(V_DISPATCH(&controls.get()))) {
        Variant name, back;
        ASSERT_TRUE(GetProperty(control.get(), L"Name", name.put()));
        ASSERT_TRUE(GetProperty(control.get(), L"BackColor", back.put()));
        ASSERT_TRUE(PutProperty(control.get(), L"ForeColor", Variant(long(kRed)).get()));
        seen.push_back(TypeName(control.get()) + L" " + V_BSTR(&name.get()));
    }
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Grid Grid1", L"TabControl C1Tab1",
                                               L"ElasticPanel C1Elastic1", L"TabControl C1Tab2",
                                               L"ElasticPanel C1Elastic2",
                                               L"ElasticPanel C1Elastic3", L"Label Label1"}));
    EXPECT_EQ(form.C1Elastic3->ForeColor(), kRed);
}

TEST_F(LayoutControlsTest, GridCellsWidthsAndRangesByDispatchIdentifier) {
    Grid& grid = *form.Grid1;
    IDispatch* object = grid.Object();
    EXPECT_EQ(TypeName(object), L"Grid");
    // Text by (row, column), column widths, the back colour of a range (Cell, setting 6).
    ASSERT_EQ(ById(object, 130, DISPATCH_PROPERTYPUT, {Variant(0L), Variant(0L), L"With Menu"}),
              S_OK);
    ASSERT_EQ(ById(object, 130, DISPATCH_PROPERTYPUT, {Variant(5L), Variant(3L), L"450"}), S_OK);
    ASSERT_EQ(ById(object, 120, DISPATCH_PROPERTYPUT, {Variant(0L), Variant(2000L)}), S_OK);
    ASSERT_EQ(ById(object, 158, DISPATCH_PROPERTYPUT,
                   {Variant(6L), Variant(5L), Variant(1L), Variant(11L), Variant(1L),
                    Variant(long(kLightGreen))}),
              S_OK);
    EXPECT_EQ(grid.TextMatrix(0, 0), "With Menu");
    EXPECT_EQ(grid.ColWidth(0), 2000);
    EXPECT_EQ(grid.CellBackColor(11, 1), kLightGreen);
    EXPECT_EQ(grid.CellBackColor(4, 1), kWindowBackground) << "outside the range";
    grid.Cols(6);
    grid.Rows(11);
    EXPECT_EQ(grid.TextMatrix(5, 3), "450") << "cells that stay keep their text";
    EXPECT_EQ(grid.CellBackColor(10, 1), kLightGreen);
    grid.Rows(12);
    EXPECT_EQ(grid.CellBackColor(11, 1), kWindowBackground) << "a new row starts empty";
    Variant text, colour;
    ASSERT_EQ(ById(object, 130, DISPATCH_PROPERTYGET, {Variant(5L), Variant(3L)}, text.put()),
              S_OK);
    EXPECT_STREQ(V_BSTR(text.put()), L"450");
    ASSERT_EQ(ById(object, 158, DISPATCH_PROPERTYGET, {Variant(6L), Variant(7L), Variant(1L)},
                   colour.put()),
              S_OK);
    EXPECT_EQ(V_I4(colour.put()), long(kLightGreen));
    // Current row and column, read and set; no event from code.
    ASSERT_EQ(ById(object, 17, DISPATCH_PROPERTYPUT, {Variant(0L)}), S_OK);
    ASSERT_EQ(ById(object, 18, DISPATCH_PROPERTYPUT, {Variant(4L)}), S_OK);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_TRUE(form.events.empty());
    // Outside the grid: run-time errors, nothing changed.
    EXPECT_EQ(ById(object, 130, DISPATCH_PROPERTYPUT, {Variant(12L), Variant(0L), L"x"}),
              MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, kInvalidArrayIndex));
    EXPECT_EQ(ById(object, 17, DISPATCH_PROPERTYPUT, {Variant(12L)}),
              MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, kInvalidPropertyValue));
    EXPECT_THROW(grid.CellBackColor(0, 0, 12, 4, kRed), RuntimeError);
    EXPECT_EQ(grid.CellBackColor(0, 0), kButtonFace);
    EXPECT_EQ(grid.Row(), 0);
}

TEST_F(LayoutControlsTest, ClicksAndArrowKeysMakeCellsCurrentAndRangesAreDrawn) {
    Grid& grid = *form.Grid1;
    grid.ColWidth(0, 2000);
    grid.TextMatrix(0, 0, "With Menu");
    grid.TextMatrix(9, 0, "Bottom Middle");
    grid.TextMatrix(9, 2, "450");
    grid.CellBackColor(5, 1, 11, 1, kLightGreen);
    grid.CellBackColor(2, 2, 4, 4, kYellow);
    PumpUntilIdle();
    const int row = PixelsFromTwipsY(grid.RowHeight()), col0 = PixelsFromTwipsX(2000),
              col = PixelsFromTwipsX(900);
    auto cellPoint = [&](int r, int c) {
        return test::ClientPoint(grid.hWnd(), (c ? col0 + (c - 1) * col : 0) + col / 2,
                                 r * row + row / 2);
    };
    auto pixel = [&](int r, int c) {
        POINT p = cellPoint(r, c);
        return ScreenPixel(p.x - col / 2 + 8, p.y);
    };
    EXPECT_EQ(pixel(9, 1), kLightGreen);
    EXPECT_EQ(pixel(3, 4), kYellow);
    EXPECT_EQ(pixel(3, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixel(0, 2), GetSysColor(COLOR_BTNFACE)) << "a heading cell";

    POINT p = cellPoint(9, 4);
    qel::test::Click(p.x, p.y);
    ASSERT_TRUE(PumpUntil([&] { return !form.events.empty(); }));
    EXPECT_EQ(grid.Row(), 9);
    EXPECT_EQ(grid.Col(), 4);
    qel::test::Click(p.x, p.y); // already current: no event
    for (WORD key : {VK_UP, VK_LEFT, VK_RIGHT, VK_RIGHT, VK_DOWN}) {
        qel::test::KeyDown(key);
        qel::test::KeyUp(key);
    }
    PumpUntil([&] { return form.events.size() == 5; });
    PumpUntilIdle();
    EXPECT_EQ(form.events, (std::vector<std::string>{"Grid1 9,4", "Grid1 8,4", "Grid1 8,3",
                                                     "Grid1 8,4", "Grid1 9,4"}))
        << "the right arrow at the last column stays";
    qel::test::SaveWindowShot("layout-grid", form.hWnd());
}

// While a resize drag runs, a panel on the current page, the page area and the
// grid's cells show their colours at every moment, and so do the parts of the
// page and the grid that the growing form uncovers.
TEST_F(LayoutControlsTest, TabsAndGridRepaintWithoutFlickerDuringAResizeDrag) {
    form.Grid1->CellBackColor(2, 1, 11, 4, kLightGreen);
    form.C1Tab1->CurrentPage(1);
    form.C1Tab1->BackColor(kYellow);
    PumpUntilIdle();
    const RECT frame = qel::test::WindowRectOf(form.hWnd());
    const POINT corner{frame.right - 3, frame.bottom - 3};
    const HWND tab = form.C1Tab1->hWnd(), grid = form.Grid1->hWnd();
    const POINT panel = test::ClientPoint(form.C1Elastic3->hWnd(), 5, 5);
    const int row = PixelsFromTwipsY(form.Grid1->RowHeight());
    const POINT cell = test::ClientPoint(grid, 150, 2 * row + row / 2);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    std::atomic<int> samples{0}, wrong{0};
    qel::test::WhileInput([&] {
        qel::test::MouseMove(corner.x, corner.y);
        qel::test::MouseDown();
        for (int i = 1; i <= 30; ++i) {
            qel::test::MouseMove(corner.x + i * 4, corner.y + i * 3);
            // Sampled once the form has followed the pointer (up to the screen's edge,
            // the first step within a step) and painted what it uncovered.
            const LONG right =
                std::min<LONG>(frame.right + (i - 1) * 4, GetSystemMetrics(SM_CXSCREEN));
            qel::test::WaitFor([&] {
                return qel::test::WindowRectOf(form.hWnd()).right >= right &&
                       !GetUpdateRect(form.hWnd(), nullptr, FALSE) &&
                       !GetUpdateRect(tab, nullptr, FALSE) && !GetUpdateRect(grid, nullptr, FALSE);
            });
            for (int k = 0; k < 10; ++k, ++samples) {
                // The bottom-right corners of the page and of the grid move with the drag.
                RECT t = qel::test::ClientRectOf(tab), g = qel::test::ClientRectOf(grid);
                POINT pageCorner = test::ClientPoint(tab, t.right - 8, t.bottom - 8);
                POINT gridBottom = test::ClientPoint(grid, 150, g.bottom - 4);
                if (ScreenPixel(pageCorner.x, pageCorner.y) != kYellow) ++wrong;
                if (ScreenPixel(gridBottom.x, gridBottom.y) != window) ++wrong;
                if (ScreenPixel(panel.x, panel.y) != kBlue) ++wrong;
                if (ScreenPixel(cell.x, cell.y) != kLightGreen) ++wrong;
                Sleep(1); // samples a millisecond apart
            }
            if (i == 15) qel::test::SaveScreenshot("layout-resize-drag");
        }
        qel::test::MouseUp();
    });
    RECT after = qel::test::WindowRectOf(form.hWnd());
    EXPECT_GT(after.right - after.left, frame.right - frame.left + 60) << "the drag resized";
    EXPECT_EQ(wrong.load(), 0) << "of " << samples.load() << " samples";
}

TEST(LayoutLeakTest, AHundredLoadsOfTabsPanelsAndGridsLeaveNoObjectsBehind) {
    LayoutForm form;
    for (int i = 0; i < 2; ++i) {
        form.Show();
        PumpUntilIdle();
        form.Unload();
    }
    PumpUntilIdle();
    const DWORD gdi = qel::test::GdiObjectCount(), user = qel::test::UserObjectCount();
    for (int i = 0; i < 100; ++i) {
        form.Show();
        form.C1Tab1->BackColor(kYellow);
        form.C1Tab1->CurrentPage(1);
        form.Grid1->CellBackColor(2, 1, 11, 4, kLightGreen);
        PumpUntilIdle();
        form.Unload();
    }
    PumpUntilIdle();
    EXPECT_EQ(qel::test::GdiObjectCount(), gdi);
    EXPECT_EQ(qel::test::UserObjectCount(), user);
}

} // namespace
} // namespace qel::forms
