// The renderer on visible windows: what the skin looks like on the screen, and
// what real mouse input on its buttons, borders and caption does.
#include "renderer/Qel_SkinClass.h"
#include "tests/renderer/SkinnedForm.h"
#include "tests/renderer/SyntheticSkin.h"
#include "tests/support/Handlers.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <atomic>
#include <string>

namespace qel {
namespace {

using namespace test::skin;
using test::Centre;
using test::ProbeWindow;
using test::PumpUntil;
using test::PumpUntilIdle;
using test::SkinnedForm;
using test::WhileInput;
using test::WindowPixel;

constexpr RECT kAt{200, 150, 560, 410}; // 360 x 260
constexpr int kW = 360, kH = 260;

// Where the sheet-like skin puts its caption buttons, for a window w wide.
RECT ButtonRect(int w, int column) {
    const int close = w - kButtonRight - (kButtonWidth + 1);
    const int step = kButtonWidth + 1 + kButtonGap;
    const int x = column == kCloseColumn      ? close
                  : column == kMinimiseColumn ? close - 2 * step
                                              : close - step;
    return {x, kButtonTop, x + kButtonWidth + 1 - (column == kCloseColumn ? 0 : kButtonGap),
            kButtonTop + kButtonHeight};
}
// Counts the pixels of a window rectangle that are none of the given colours.
int OtherPixels(HWND hwnd, RECT r, std::initializer_list<COLORREF> colours) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = WindowPixel(hwnd, x, y);
            if (std::find(colours.begin(), colours.end(), c) == colours.end()) ++n;
        }
    return n;
}

// Counts the pixels of a window rectangle in the active title's colour.
int TitlePixels(HWND hwnd, RECT r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += WindowPixel(hwnd, x, y) == kTitle[0];
    return n;
}

class SkinOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ProbeWindow::Reset();
        test::MouseMove(5, 5); // away from every window
        form = SkinnedForm::Create(SheetConfig().get(), kAt, true);
        SetWindowTextA(form.hwnd, "Skinned form");
        PumpUntilIdle();
    }
    void TearDown() override {
        test::MouseUp();
        form.renderer.reset();
        form.window.reset();
        ProbeWindow::Reset();
        PumpUntilIdle();
    }
    HWND hwnd() const { return form.hwnd; }
    int Width() const { return form.Rect().right - form.Rect().left; }
    int Height() const { return form.Rect().bottom - form.Rect().top; }

    // The frame of the sheet-like skin as it must stand on the screen.
    void ExpectFrame(int look, const char* where) {
        SCOPED_TRACE(where);
        const int w = Width(), h = Height(), cells = look == 0 ? 0 : 7;
        const HWND wnd = hwnd();
        EXPECT_EQ(WindowPixel(wnd, 2, 20), kLeft[look]);
        EXPECT_EQ(WindowPixel(wnd, kLeftPiece + 2, 2), kMiddle[look]);
        EXPECT_EQ(WindowPixel(wnd, w / 2, 2), kMiddle[look]);
        EXPECT_EQ(WindowPixel(wnd, w - 3, 2), kRight[look]);
        EXPECT_EQ(WindowPixel(wnd, 2, h / 2), BorderCell(cells + 0));
        EXPECT_EQ(WindowPixel(wnd, w - 3, h / 2), BorderCell(cells + 6));
        EXPECT_EQ(WindowPixel(wnd, 2, h - 2), BorderCell(cells + 2));
        EXPECT_EQ(WindowPixel(wnd, w / 2, h - 2), BorderCell(cells + 3));
        EXPECT_EQ(WindowPixel(wnd, w - 2, h - 2), BorderCell(cells + 5));
        EXPECT_EQ(WindowPixel(wnd, kIconLeft + 8, kIconTop + 8), kIcon);
        const int row = look == 0 ? kNormalRow : kInactiveRow;
        for (int column : {kCloseColumn, kMaximiseColumn, kMinimiseColumn}) {
            const RECT b = ButtonRect(w, column);
            EXPECT_EQ(WindowPixel(wnd, b.left + 2, b.top + 2), ButtonCell(column, row)) << column;
        }
        EXPECT_EQ(WindowPixel(wnd, w / 2, h / 2), GetSysColor(COLOR_WINDOW));
    }

    SkinnedForm form;
};

TEST_F(SkinOnScreen, ThePiecesStandWhereTheSkinPutsThemActiveAndInactive) {
    ExpectFrame(0, "active");
    // The title, bold and in the active colour, from the caption's left offset.
    const RECT title{kCaptionLeft + 5, kTitleTop, kCaptionLeft + 80, kTitleTop + 12};
    EXPECT_GT(OtherPixels(hwnd(), title, {kLeft[0], kMiddle[0]}), 40);
    EXPECT_GT(OtherPixels(hwnd(), title, {kLeft[0], kMiddle[0], kTitle[1]}), 40);
    test::SaveWindowShot("renderer_frame_active", hwnd());

    UniqueWindow other = ProbeWindow::Create(620, 450, 200, 150, true);
    PumpUntilIdle();
    ExpectFrame(1, "in-active");
    EXPECT_GT(OtherPixels(hwnd(), title, {kLeft[1], kMiddle[1]}), 30);
    EXPECT_EQ(OtherPixels(hwnd(), title, {kLeft[1], kMiddle[1], kTitle[0]}),
              OtherPixels(hwnd(), title, {kLeft[1], kMiddle[1]}));
    test::SaveScreenshot("renderer_frame_inactive", {150, 100, 850, 650});
}

TEST_F(SkinOnScreen, LargeNarrowAndShortWindowsAreFramedWhole) {
    struct Size {
        int w, h;
    };
    // Size limits (in twips) let the window go below the platform's own minimum.
    form.renderer->SetFrmMimMax(30 * 15, 0, 20 * 15, 0);
    form.Attach(SheetConfig().get());
    for (Size s : {Size{640, 420}, Size{130, 200}, Size{70, 150}, Size{300, 40}, Size{300, 30}}) {
        SetWindowPos(hwnd(), nullptr, 0, 0, s.w, s.h, SWP_NOMOVE | SWP_NOZORDER);
        PumpUntilIdle();
        const std::string name = std::to_string(s.w) + "x" + std::to_string(s.h);
        SCOPED_TRACE(name);
        ASSERT_EQ(Width(), s.w);
        ASSERT_EQ(Height(), s.h);
        const int w = s.w, h = s.h;
        EXPECT_EQ(WindowPixel(hwnd(), 2, std::min(20, h - kCellHeight - 1)), kLeft[0]);
        EXPECT_EQ(WindowPixel(hwnd(), w - 2, h - 2), BorderCell(5));
        EXPECT_EQ(WindowPixel(hwnd(), 2, h - 2), BorderCell(2));
        if (h > kCaptionHeight + kCellHeight) {
            EXPECT_EQ(WindowPixel(hwnd(), w - 3, h - kCellHeight - 2), BorderCell(6));
            EXPECT_EQ(WindowPixel(hwnd(), 2, h - kCellHeight - 2), BorderCell(0));
        }
        const int rightEnd = kSetWidth - (kLeftPiece + kMiddlePiece - 1) + 1;
        if (w < 2 * rightEnd - 1) {
            // Too narrow: the right end starts at its own width; no title.
            EXPECT_EQ(WindowPixel(hwnd(), rightEnd + 2, 2), kRight[0]);
            EXPECT_EQ(TitlePixels(hwnd(), {0, 0, w, kCaptionHeight}), 0);
        } else {
            EXPECT_EQ(WindowPixel(hwnd(), w - 3, 2), kRight[0]);
            const RECT close = ButtonRect(w, kCloseColumn);
            EXPECT_EQ(WindowPixel(hwnd(), close.left + 2, close.top + 2),
                      ButtonCell(kCloseColumn, kNormalRow));
        }
        test::SaveWindowShot("renderer_size_" + name, hwnd());
    }
}

// Moves the cursor onto a point so that the window's mouse messages see it
// there: under Wine a move's message may carry the position of the move before
// it, so the cursor first stops one pixel beside the point.
void MoveOnto(POINT p) {
    test::MouseMove(p.x + 1, p.y);
    test::MouseMove(p.x, p.y);
}

// A window pixel, read until it has the expected colour or half a second has passed.
COLORREF AwaitPixel(HWND hwnd, POINT at, COLORREF expected) {
    COLORREF c = 0;
    test::WaitFor([&] { return (c = WindowPixel(hwnd, at.x, at.y)) == expected; }, 500);
    return c;
}

// Left-button releases taken from this thread's queue while it lives.
class ReleaseCounter {
public:
    ReleaseCounter()
        : hook_(SetWindowsHookExA(WH_GETMESSAGE, Count, nullptr, GetCurrentThreadId())) {
        releases = 0;
    }
    ~ReleaseCounter() { UnhookWindowsHookEx(hook_); }
    ReleaseCounter(const ReleaseCounter&) = delete;
    ReleaseCounter& operator=(const ReleaseCounter&) = delete;
    static inline std::atomic<int> releases{0};

private:
    static LRESULT CALLBACK Count(int code, WPARAM wp, LPARAM lp) {
        const auto* msg = reinterpret_cast<const MSG*>(lp);
        if (code == HC_ACTION && wp == PM_REMOVE &&
            (msg->message == WM_LBUTTONUP || msg->message == WM_NCLBUTTONUP))
            ++releases;
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    HHOOK hook_;
};

TEST_F(SkinOnScreen, ButtonLooksFollowTheMouse) {
    const RECT close = ButtonRect(kW, kCloseColumn), maximise = ButtonRect(kW, kMaximiseColumn);
    const POINT onClose = form.At(Centre(close).x, Centre(close).y);
    const POINT onCaption = form.At(kW / 2 + 20, 20);
    const POINT onMaximise = form.At(Centre(maximise).x, Centre(maximise).y);
    const POINT closeCell{close.left + 2, close.top + 2},
        maximiseCell{maximise.left + 2, maximise.top + 2};
    auto closeLook = [&](int row) {
        return AwaitPixel(hwnd(), closeCell, ButtonCell(kCloseColumn, row));
    };
    COLORREF hover = 0, hoverRepainted = 0, pressed = 0, pressedOff = 0, pressedBack = 0,
             released = 0, next = 0, nextClose = 0;
    ReleaseCounter releases;
    int releasesBefore = 0, releasesAfter = 0;
    WhileInput([&] {
        MoveOnto(onClose);
        hover = closeLook(kHoverRow);
        test::SaveWindowShot("renderer_button_hover", hwnd());
        // A repaint while the cursor rests on the button keeps its look.
        SendMessageA(hwnd(), WM_NCPAINT, 1, 0);
        hoverRepainted = closeLook(kHoverRow);
        test::MouseDown();
        pressed = closeLook(kPressedRow);
        test::SaveWindowShot("renderer_button_pressed", hwnd());
        MoveOnto(onCaption);
        pressedOff = closeLook(kNormalRow);
        MoveOnto(onClose);
        pressedBack = closeLook(kPressedRow);
        // Released away from the button: nothing happens.
        MoveOnto(onCaption);
        releasesBefore = ReleaseCounter::releases;
        test::MouseUp();
        test::WaitFor([&] { return ReleaseCounter::releases != releasesBefore; }, 500);
        releasesAfter = ReleaseCounter::releases;
        released = closeLook(kNormalRow);
        MoveOnto(onMaximise);
        next = AwaitPixel(hwnd(), maximiseCell, ButtonCell(kMaximiseColumn, kHoverRow));
        nextClose = closeLook(kNormalRow);
        test::MouseMove(5, 5);
    });
    EXPECT_EQ(hover, ButtonCell(kCloseColumn, kHoverRow));
    EXPECT_EQ(hoverRepainted, ButtonCell(kCloseColumn, kHoverRow));
    EXPECT_EQ(pressed, ButtonCell(kCloseColumn, kPressedRow));
    EXPECT_EQ(pressedOff, ButtonCell(kCloseColumn, kNormalRow));
    EXPECT_EQ(pressedBack, ButtonCell(kCloseColumn, kPressedRow));
    EXPECT_EQ(releasesAfter, releasesBefore + 1); // the release reached the form
    EXPECT_EQ(released, ButtonCell(kCloseColumn, kNormalRow));
    EXPECT_EQ(next, ButtonCell(kMaximiseColumn, kHoverRow));
    EXPECT_EQ(nextClose, ButtonCell(kCloseColumn, kNormalRow));
    EXPECT_EQ(ProbeWindow::counts[WM_CLOSE], 0);
    EXPECT_TRUE(IsWindowVisible(hwnd()));
}

TEST_F(SkinOnScreen, MaximiseRestoreAndMinimiseDoWhatTheySay) {
    const POINT maximise = form.At(Centre(ButtonRect(kW, kMaximiseColumn)).x, kButtonTop + 5);
    WhileInput([&] { test::Click(maximise.x, maximise.y); });
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd()) != FALSE; }, 2000));
    PumpUntilIdle();
    // Maximised, the middle button shows the restore cell.
    const RECT restore = ButtonRect(Width(), kMaximiseColumn);
    EXPECT_EQ(WindowPixel(hwnd(), restore.left + 2, restore.top + 2),
              ButtonCell(kRestoreColumn, kNormalRow));
    test::SaveScreenshot("renderer_maximised");

    const POINT restorePoint = form.At(Centre(restore).x, kButtonTop + 5);
    WhileInput([&] { test::Click(restorePoint.x, restorePoint.y); });
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd()) == FALSE; }, 2000));
    PumpUntilIdle();
    EXPECT_EQ(Width(), kW);
    ExpectFrame(0, "restored");
    test::SaveWindowShot("renderer_restored", hwnd());

    const POINT minimise = form.At(Centre(ButtonRect(kW, kMinimiseColumn)).x, kButtonTop + 5);
    WhileInput([&] { test::Click(minimise.x, minimise.y); });
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(hwnd()) != FALSE; }, 2000));
    test::SaveScreenshot("renderer_minimised");
}

TEST_F(SkinOnScreen, CloseRaisesUnloadAndClosesUnlessCancelled) {
    test::EventRecorder events(form.renderer.get());
    events.answer = [](DISPID id, VARIANT_BOOL& cancel) {
        if (id == kSkinUnload) cancel = VARIANT_TRUE;
    };
    const POINT close = form.At(Centre(ButtonRect(kW, kCloseColumn)).x, kButtonTop + 5);
    WhileInput([&] { test::Click(close.x, close.y); });
    EXPECT_EQ(events.Count(kSkinUnload), 1);
    EXPECT_EQ(ProbeWindow::counts[WM_CLOSE], 0);
    EXPECT_EQ(WindowPixel(hwnd(), kW / 2, 2), kMiddle[0]); // still skinned

    events.answer = nullptr;
    WhileInput([&] { test::Click(close.x, close.y); });
    EXPECT_EQ(events.Count(kSkinUnload), 2);
    EXPECT_TRUE(PumpUntil([&] { return ProbeWindow::counts[WM_CLOSE] == 1; }, 2000));
}

TEST_F(SkinOnScreen, AnUnloadHandlerMayLetTheRendererGo) {
    const LONG_PTR ownProcedure = GetClassLongPtrA(hwnd(), GCLP_WNDPROC);
    test::EventRecorder* events = new test::EventRecorder(form.renderer.get());
    events->answer = [&](DISPID id, VARIANT_BOOL&) {
        if (id == kSkinUnload) form.renderer.reset();
    };
    const POINT close = form.At(Centre(ButtonRect(kW, kCloseColumn)).x, kButtonTop + 5);
    WhileInput([&] { test::Click(close.x, close.y); });
    EXPECT_FALSE(form.renderer);
    EXPECT_TRUE(PumpUntil([&] { return ProbeWindow::counts[WM_CLOSE] == 1; }, 2000));
    EXPECT_EQ(GetWindowLongPtrA(hwnd(), GWLP_WNDPROC), ownProcedure);
    delete events;
}

TEST_F(SkinOnScreen, TheSizingBordersResizeAndTheFrameFollows) {
    POINT right = form.At(kW - 2, kH / 2);
    WhileInput([&] { test::Drag(right, {right.x + 80, right.y}, 8); });
    EXPECT_NEAR(Width(), kW + 80, 1);
    POINT corner = form.At(Width() - 2, kH - 2);
    WhileInput([&] { test::Drag(corner, {corner.x - 40, corner.y + 60}, 8); });
    EXPECT_NEAR(Width(), kW + 40, 1);
    EXPECT_NEAR(Height(), kH + 60, 1);
    POINT left = form.At(1, kH / 2);
    WhileInput([&] { test::Drag(left, {left.x - 30, left.y}, 6); });
    EXPECT_NEAR(Width(), kW + 70, 1);
    POINT top = form.At(Width() / 2, 1);
    WhileInput([&] { test::Drag(top, {top.x, top.y + 20}, 6); });
    EXPECT_NEAR(Height(), kH + 40, 1);
    PumpUntilIdle();
    ExpectFrame(0, "resized");
    test::SaveWindowShot("renderer_resized", hwnd());
}

TEST_F(SkinOnScreen, TheCaptionDragsTheWindow) {
    const POINT from = form.At(kW / 2 + 40, 22);
    WhileInput([&] { test::Drag(from, {from.x + 100, from.y + 70}, 10); });
    EXPECT_NEAR(form.Rect().left, kAt.left + 100, 2);
    EXPECT_NEAR(form.Rect().top, kAt.top + 70, 2);
    EXPECT_EQ(Width(), kW);
    ExpectFrame(0, "dragged");
    test::SaveWindowShot("renderer_caption_dragged", hwnd());
}

TEST_F(SkinOnScreen, AnActiveStatusHandlerDecidesTheLook) {
    test::EventRecorder events(form.renderer.get());
    events.answer = [](DISPID id, VARIANT_BOOL& active) {
        if (id == kSkinActiveStatus) active = VARIANT_FALSE;
    };
    UniqueWindow other = ProbeWindow::Create(620, 450, 200, 150, true);
    PumpUntilIdle();
    SetForegroundWindow(hwnd());
    PumpUntilIdle();
    EXPECT_GE(events.Count(kSkinActiveStatus), 2);
    SendMessageA(hwnd(), WM_NCPAINT, 1, 0);
    PumpUntilIdle();
    EXPECT_EQ(WindowPixel(hwnd(), kW / 2, 2), kMiddle[1]);
}

TEST_F(SkinOnScreen, AFormsMenuComesBackWhenTheSkinGoes) {
    UniqueMenu bar(CreateMenu());
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 101, "&Open\tCtrl+O");
    AppendMenuA(file, MF_STRING | MF_GRAYED, 102, "&Save");
    AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    form.renderer->Detach();
    SetMenu(hwnd(), bar.get());
    form.Attach(SheetConfig().get());
    SendMessageA(hwnd(), WM_NCACTIVATE, TRUE, 0); // as the skin control does after attaching
    PumpUntilIdle();
    // The modifier takes the menu off the window while the skin is on.
    WhileInput([&] {
        POINT p = form.At(kW / 2, kH / 2);
        test::MouseMove(p.x, p.y);
        test::WaitFor([&] { return GetMenu(hwnd()) == nullptr; });
        test::MouseMove(5, 5);
    });
    EXPECT_EQ(GetMenu(hwnd()), nullptr);
    ExpectFrame(0, "with a menu");
    test::SaveWindowShot("renderer_frame_with_menu", hwnd());

    form.renderer->Detach();
    PumpUntilIdle();
    ASSERT_EQ(GetMenu(hwnd()), bar.get());
    char text[64] = {};
    GetMenuStringA(file, 101, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
    EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetSubMenu(bar.get(), 0), file);
    test::SaveWindowShot("renderer_detached_with_menu", hwnd());
    SetMenu(hwnd(), nullptr);
}

TEST(SkinOnScreenClientArea, TheCloseButtonDetachesAndTheWindowStillCloses) {
    ProbeWindow::Reset();
    UniqueWindow window = ProbeWindow::Create(kAt.left, kAt.top, kW, kH);
    const HWND hwnd = window.get();
    SetWindowLongPtrA(hwnd, GWL_STYLE, WS_POPUP);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    auto config = SheetConfig();
    config->Settings().Method = ECNCUseClientArea;
    auto renderer = Qel_SkinClass::Create();
    SkinnedForm f;
    f.hwnd = hwnd;
    f.renderer = renderer;
    f.Attach(config.get());
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    // The platform may have made the window active before the skin came.
    SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    PumpUntilIdle();
    // The host paints the skin into its client area.
    {
        WindowDC dc = WindowDC::Client(hwnd);
        test::PaintFrame(*renderer, dc.get(), {0, 0, kW, kH});
    }
    PumpUntilIdle();
    EXPECT_EQ(WindowPixel(hwnd, kW / 2, 2), kMiddle[0]);
    test::SaveWindowShot("renderer_client_area_method", hwnd);

    const POINT close = f.At(Centre(ButtonRect(kW, kCloseColumn)).x, kButtonTop + 5);
    WhileInput([&] { test::Click(close.x, close.y); });
    EXPECT_TRUE(PumpUntil([&] { return ProbeWindow::counts[WM_CLOSE] == 1; }, 2000));
    LONG attached = 1;
    renderer->get_hwnd(&attached);
    EXPECT_EQ(attached, 0);
    renderer.reset();
    f.renderer.reset();
    ProbeWindow::Reset();
}

} // namespace
} // namespace qel
