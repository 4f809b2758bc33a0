// The modifier on visible windows: what is drawn on the screen and what real
// mouse input does to the window.
#include "base/WindowObject.h"
#include "hooking/cNCCalcSize.h"
#include "tests/support/Handlers.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <thread>

namespace qel {
namespace {

using test::ProbeWindow;
using test::PumpUntil;
using test::PumpUntilIdle;
using test::StubSkinArea;
using test::WindowPixel;
using test::WindowRectOf;

constexpr int kX = 200, kY = 150, kW = 320, kH = 240;

class ModifierOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ProbeWindow::Reset();
        // Attached while hidden, then shown: the modifier sees the activation.
        window = ProbeWindow::Create(kX, kY, kW, kH);
        hwnd = window.get();
        impl = StubSkinArea::Create(hwnd);
        ncs = cNCCalcSize::Create();
        ncs->Attach(impl->Itf());
        auto form = WindowObject::Create(hwnd);
        ncs->Display(form.get());
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        PumpUntilIdle();
    }
    void TearDown() override {
        test::MouseUp();
        ncs.reset();
        window.reset();
        ProbeWindow::Reset();
        PumpUntilIdle();
    }
    POINT At(int x, int y) {
        RECT r = WindowRectOf(hwnd);
        return {r.left + x, r.top + y};
    }

    UniqueWindow window;
    HWND hwnd = nullptr;
    ComPtr<StubSkinArea> impl;
    ComPtr<cNCCalcSize> ncs;
};

TEST_F(ModifierOnScreen, TheFrameIsPaintedByTheImplementation) {
    EXPECT_GT(impl->paints, 0);
    EXPECT_EQ(impl->lastPaintRect.right, kW);
    EXPECT_EQ(impl->lastPaintRect.bottom, kH);
    EXPECT_EQ(WindowPixel(hwnd, kW / 2, 15), StubSkinArea::kCaption);
    EXPECT_EQ(WindowPixel(hwnd, 3, kH / 2), StubSkinArea::kLeft);
    EXPECT_EQ(WindowPixel(hwnd, kW - 3, kH / 2), StubSkinArea::kRight);
    EXPECT_EQ(WindowPixel(hwnd, kW / 2, kH - 3), StubSkinArea::kBottom);
    EXPECT_EQ(WindowPixel(hwnd, kW / 2, kH / 2), GetSysColor(COLOR_WINDOW));
    test::SaveWindowShot("hooking_frame_painted", hwnd);

    // Picking the cursor over the frame paints none of it.
    impl->paints = 0;
    SendMessageA(hwnd, WM_SETCURSOR, WPARAM(hwnd), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_EQ(impl->paints, 0);
}

TEST_F(ModifierOnScreen, TheCaptionDragsTheWindow) {
    POINT from = At(kW / 2, 15);
    test::WhileInput([&] { test::Drag(from, {from.x + 120, from.y + 80}, 12); });
    RECT r = WindowRectOf(hwnd);
    EXPECT_NEAR(r.left, kX + 120, 2);
    EXPECT_NEAR(r.top, kY + 80, 2);
    EXPECT_EQ(r.right - r.left, kW);
    EXPECT_EQ(WindowPixel(hwnd, kW / 2, 15), StubSkinArea::kCaption); // repainted where it went
    test::SaveWindowShot("hooking_caption_dragged", hwnd);
}

TEST_F(ModifierOnScreen, AnInactiveWindowComesToTheFrontWhenItsCaptionIsDragged) {
    UniqueWindow other = ProbeWindow::Create(600, 400, 200, 150, true);
    SetForegroundWindow(other.get());
    PumpUntilIdle();
    ASSERT_NE(GetForegroundWindow(), hwnd);
    POINT from = At(kW / 2, 15);
    test::WhileInput([&] { test::Drag(from, {from.x + 40, from.y + 30}, 6); });
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    EXPECT_NEAR(WindowRectOf(hwnd).left, kX + 40, 2);
}

TEST_F(ModifierOnScreen, AMaximisedWindowIsNotDraggedByItsCaption) {
    ShowWindow(hwnd, SW_MAXIMIZE);
    PumpUntilIdle();
    RECT before = WindowRectOf(hwnd);
    POINT from = At(300, before.top < 0 ? 15 - before.top : 15);
    test::WhileInput([&] { test::Drag(from, {from.x + 50, from.y + 50}, 5); });
    RECT after = WindowRectOf(hwnd);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(ModifierOnScreen, ADoubleClickOnTheCaptionMaximisesAndRestores) {
    POINT p = At(kW / 2, 15);
    test::WhileInput([&] { test::DoubleClick(p.x, p.y); });
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) != FALSE; }, 2000));
    test::SaveScreenshot("hooking_caption_doubleclick_maximised");
    RECT r = WindowRectOf(hwnd);
    POINT q{r.left + 300, std::max<LONG>(r.top, 0) + 15 - std::min<LONG>(r.top, 0)};
    test::WhileInput([&] { test::DoubleClick(q.x, q.y); });
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) == FALSE; }, 2000));
}

TEST_F(ModifierOnScreen, SizingBordersResizeWithinTheSizeLimits) {
    const double tpp = 1440.0 / 96;
    ncs->SetFrmMimMax(static_cast<LONG>(250 * tpp), static_cast<LONG>(400 * tpp),
                      static_cast<LONG>(150 * tpp), static_cast<LONG>(300 * tpp));
    POINT right = At(kW - 2, kH / 2);
    test::WhileInput([&] { test::Drag(right, {right.x + 300, right.y}, 10); });
    RECT r = WindowRectOf(hwnd);
    EXPECT_NEAR(r.right - r.left, 400, 1); // Wine's sizing loop may stop one pixel short
    test::SaveWindowShot("hooking_resized_to_maximum", hwnd);

    right = At(r.right - r.left - 2, kH / 2);
    test::WhileInput([&] { test::Drag(right, {right.x - 300, right.y}, 10); });
    r = WindowRectOf(hwnd);
    EXPECT_EQ(r.right - r.left, 250);

    POINT corner = At(250 - 2, kH - 2);
    test::WhileInput([&] { test::Drag(corner, {corner.x + 30, corner.y + 200}, 10); });
    r = WindowRectOf(hwnd);
    EXPECT_EQ(r.right - r.left, 280);
    EXPECT_NEAR(r.bottom - r.top, 300, 1);
    // The frame follows the new size.
    EXPECT_EQ(WindowPixel(hwnd, 280 - 3, 150), StubSkinArea::kRight);
    EXPECT_EQ(WindowPixel(hwnd, 140, 300 - 3), StubSkinArea::kBottom);
    test::SaveWindowShot("hooking_resized_corner", hwnd);
}

TEST_F(ModifierOnScreen, ButtonPressesAndReleasesReachTheImplementation) {
    // A "button" in the caption, handled by the implementation.
    impl->hitTest = [](LONG x, LONG y, ECNCHitTestConstants& code) {
        if (x >= kW - 40 && x < kW - 10 && y >= 5 && y < 25)
            code = static_cast<ECNCHitTestConstants>(HTSYSMENU);
    };
    impl->handleMouseDown = true;
    POINT button = At(kW - 25, 15);
    test::WhileInput([&] { test::Click(button.x, button.y); });
    ASSERT_EQ(impl->mouseDowns.size(), 1u);
    EXPECT_NEAR(impl->mouseDowns[0].x, kW - 25, 1);
    EXPECT_NEAR(impl->mouseDowns[0].y, 15, 1);
    EXPECT_EQ(impl->mouseUps.size(), 1u);

    // A double-click on the button is two presses of it; the window stays open.
    impl->mouseDowns.clear();
    test::WhileInput([&] { test::DoubleClick(button.x, button.y); });
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(impl->mouseDowns.size(), 2u);

    // A press that starts elsewhere and is released over the button is only a release.
    impl->mouseDowns.clear();
    impl->mouseUps.clear();
    POINT client = At(kW / 2, kH / 2);
    test::WhileInput([&] { test::Drag(client, button, 6); });
    EXPECT_TRUE(impl->mouseDowns.empty());
}

TEST_F(ModifierOnScreen, WithoutAnImplementationTheDefaultFrameIsPainted) {
    RemovePropA(hwnd, kImplementationProp);
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    PumpUntilIdle();
    const COLORREF border = GetSysColor(COLOR_ACTIVEBORDER);
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    const int cxF = GetSystemMetrics(SM_CXFRAME), cyF = GetSystemMetrics(SM_CYFRAME);
    const int cyC = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(WindowPixel(hwnd, cxF - 1, kH / 2), border);
    // The blank between the title and the buttons is the caption colour.
    const int blankX = kW - cxF - 3 * (cyC - 1) - 6;
    EXPECT_EQ(WindowPixel(hwnd, blankX, cyF + cyC / 2), caption);
    test::SaveWindowShot("hooking_default_frame", hwnd);
}

TEST_F(ModifierOnScreen, RoundedCornersCutTheFrameOnScreen) {
    ncs->SetRndAngle(24, VARIANT_TRUE, VARIANT_TRUE);
    MoveWindow(hwnd, kX, kY, kW + 10, kH, TRUE);
    const COLORREF outside = WindowPixel(hwnd, -3, -3);
    // The desktop, another process, paints what the cut corners uncover.
    EXPECT_TRUE(PumpUntil([&] { return WindowPixel(hwnd, 1, 1) == outside; }));
    EXPECT_EQ(WindowPixel(hwnd, kW + 10 - 2, kH - 2), outside);
    EXPECT_EQ(WindowPixel(hwnd, 40, 2), StubSkinArea::kCaption);
    test::SaveWindowShot("hooking_rounded_corners", hwnd);
}

} // namespace
} // namespace qel
