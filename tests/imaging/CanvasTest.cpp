// The canvas in a visible window: the image shown at its size, zoomed and
// fitted, centred, panned by dragging with the real mouse; pixels read back
// from the screen and screenshots saved.
#include "imaging/ucCanvas.h"
#include "tests/imaging/GdiHelpers.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// Image pixel (x, y) has the colour red x, green y, blue 77.
void PaintCoordinates(cDIB& image, int width, int height) {
    ASSERT_TRUE(image.Create(width, height, 32));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            test::SetPixel32(image, x, y, uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8 | 77);
}

COLORREF ImageColour(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, 77);
}

struct MouseRecord {
    int16_t button = -1;
    int32_t x = 0, y = 0;
};

class Canvas : public testing::Test {
protected:
    void SetUp() override {
        host_ = test::MakeWindow(60, 60, 420, 320, true, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 "Canvas");
        ASSERT_TRUE(host_);
        ASSERT_TRUE(canvas_.Create(host_.get(), 10, 10, 300, 200));
        canvas_.MouseDown = [this](int16_t b, int16_t, int32_t x, int32_t y) { down_ = {b, x, y}; };
        canvas_.MouseMove = [this](int16_t b, int16_t, int32_t x, int32_t y) {
            move_ = {b, x, y};
            ++moves_;
        };
        canvas_.MouseUp = [this](int16_t b, int16_t, int32_t x, int32_t y) { up_ = {b, x, y}; };
        canvas_.Scroll = [this] { ++scrolls_; };
        canvas_.SizeChanged = [this] { ++sizeChanges_; };
        test::PumpUntilIdle();
    }

    // Lays out and paints the canvas, then lets the display catch up.
    void Show() {
        canvas_.Resize();
        canvas_.Repaint();
        test::PumpUntilIdle();
    }
    // The screen point of a canvas client point.
    POINT Screen(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(canvas_.hWnd(), &p);
        return p;
    }
    COLORREF At(int x, int y) const {
        POINT p = Screen(x, y);
        return test::ScreenPixel(p.x, p.y);
    }
    // Input goes step by step with messages pumped in between.
    void MoveTo(POINT client) {
        POINT p = Screen(client.x, client.y);
        test::MouseMove(p.x, p.y);
        test::PumpUntilIdle();
    }
    void Click(int x, int y) {
        MoveTo({x, y});
        test::MouseDown();
        test::PumpUntilIdle();
        test::MouseUp();
        test::PumpUntilIdle();
    }
    void Drag(POINT from, POINT to, int steps = 8) {
        MoveTo(from);
        test::MouseDown();
        test::PumpUntilIdle();
        for (int i = 1; i <= steps; ++i)
            MoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        test::MouseUp();
        test::PumpUntilIdle();
    }
    HCURSOR CursorOver(int x, int y) {
        MoveTo({x, y});
        return GetCursor();
    }

    const COLORREF workspace_ = GetSysColor(COLOR_APPWORKSPACE);
    UniqueWindow host_;
    ucCanvas canvas_;
    MouseRecord down_, move_, up_;
    int moves_ = 0, scrolls_ = 0, sizeChanges_ = 0;
};

TEST_F(Canvas, ShowsASmallImageCentredAtItsSize) {
    PaintCoordinates(canvas_.DIB, 100, 80);
    Show();
    EXPECT_EQ(At(100, 60), ImageColour(0, 0));
    EXPECT_EQ(At(199, 139), ImageColour(99, 79));
    EXPECT_EQ(At(150, 100), ImageColour(50, 40));
    EXPECT_EQ(At(99, 60), workspace_);
    EXPECT_EQ(At(150, 59), workspace_);
    EXPECT_EQ(At(200, 139), workspace_);
    EXPECT_EQ(At(0, 0), workspace_);
    EXPECT_EQ(CursorOver(150, 100), LoadCursor(nullptr, IDC_ARROW));
    test::SaveWindowShot("canvas-centred", host_.get());

    Click(100, 60);
    EXPECT_EQ(down_.button, 1);
    EXPECT_EQ(down_.x, 0);
    EXPECT_EQ(down_.y, 0);
    EXPECT_EQ(up_.x, 0);
    Click(40, 20); // outside the image: coordinates outside it
    EXPECT_EQ(down_.x, -60);
    EXPECT_EQ(down_.y, -40);
}

TEST_F(Canvas, ZoomMagnifiesCentresTheScrollAndPansByDragging) {
    PaintCoordinates(canvas_.DIB, 100, 80);
    canvas_.Zoom(4);
    Show();
    // 400 x 320 in 300 x 200: scrolled to (50, 60) of (100, 120).
    EXPECT_EQ(At(0, 0), ImageColour(12, 15));
    EXPECT_EQ(At(2, 0), ImageColour(13, 15));
    EXPECT_EQ(At(299, 199), ImageColour(87, 64));
    EXPECT_EQ(At(150, 100), ImageColour(50, 40));
    EXPECT_EQ(CursorOver(150, 100), LoadCursor(nullptr, IDC_SIZEALL));
    test::SaveWindowShot("canvas-zoomed", host_.get());

    // Dragging left and up by 40 pixels scrolls right and down by 40.
    Drag({150, 100}, {110, 60});
    EXPECT_GT(scrolls_, 0);
    EXPECT_GT(moves_, 0);
    EXPECT_EQ(At(0, 0), ImageColour(22, 25));
    EXPECT_EQ(At(299, 199), ImageColour(97, 74));
    EXPECT_EQ(down_.x, 50);
    EXPECT_EQ(down_.y, 40);
    EXPECT_EQ(up_.x, 50); // the image point under the pointer stays the same
    EXPECT_EQ(up_.y, 40);
    test::SaveWindowShot("canvas-panned", host_.get());

    // Far beyond the limits: the last pixels come into view and scrolling stops.
    Drag({250, 150}, {20, 20});
    EXPECT_EQ(At(299, 199), ImageColour(99, 79));
    EXPECT_EQ(At(0, 0), ImageColour(25, 30));
    // Already at the end: moves further on change nothing and raise no Scroll.
    int scrolls = scrolls_;
    HWND hwnd = canvas_.hWnd();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 100));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 90));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 90));
    EXPECT_EQ(scrolls_, scrolls);
    EXPECT_EQ(move_.x, 62); // (150 + 100) / 4
    EXPECT_EQ(move_.y, 52); // (90 + 120) / 4
    Drag({20, 20}, {290, 190});
    EXPECT_EQ(At(0, 0), ImageColour(0, 0));
}

TEST_F(Canvas, ResizingKeepsTheRelativeScrollPosition) {
    PaintCoordinates(canvas_.DIB, 100, 80);
    canvas_.Zoom(4);
    Show();
    Drag({150, 100}, {110, 100}); // scroll x 90 of 100
    int changes = sizeChanges_;
    SetWindowPos(canvas_.hWnd(), nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    test::PumpUntilIdle();
    EXPECT_EQ(sizeChanges_, changes + 1);
    // Maximum 200 now: 90 of 100 becomes 180 of 200.
    EXPECT_EQ(At(0, 100), ImageColour(45, 40));
    Click(0, 100);
    EXPECT_EQ(down_.x, 45);
}

TEST_F(Canvas, FitModeShrinksLargeImagesAndCentresThem) {
    canvas_.FitMode(true);
    // A smaller image keeps its size.
    PaintCoordinates(canvas_.DIB, 100, 80);
    Show();
    EXPECT_EQ(At(100, 60), ImageColour(0, 0));
    EXPECT_EQ(At(199, 139), ImageColour(99, 79));
    EXPECT_EQ(At(99, 60), workspace_);
    // 400 x 250 into 300 x 200: 300 x 188 at (0, 6).
    PaintCoordinates(canvas_.DIB, 400, 250);
    Show();
    EXPECT_EQ(At(150, 5), workspace_);
    EXPECT_EQ(At(150, 194), workspace_);
    EXPECT_EQ(At(0, 6), ImageColour(0, 0));
    EXPECT_NE(At(150, 6), workspace_);
    EXPECT_NE(At(299, 193), workspace_);
    EXPECT_EQ(CursorOver(150, 100), LoadCursor(nullptr, IDC_ARROW));
    test::SaveWindowShot("canvas-fitted", host_.get());
    Click(150, 106);
    EXPECT_EQ(down_.x, 200); // 150 / 0.75
    EXPECT_EQ(down_.y, 132); // 100 / 0.752
    // Dragging in fit mode moves nothing.
    Drag({150, 100}, {100, 50});
    EXPECT_EQ(At(0, 6), ImageColour(0, 0));
}

TEST_F(Canvas, WithoutAnImageTheWholeAreaIsWorkspaceAndCoordinatesAreZero) {
    Show();
    EXPECT_EQ(At(0, 0), workspace_);
    EXPECT_EQ(At(150, 100), workspace_);
    EXPECT_EQ(At(299, 199), workspace_);
    Click(150, 100);
    EXPECT_EQ(down_.x, 0);
    EXPECT_EQ(down_.y, 0);
    // An image dropped again empties the view.
    PaintCoordinates(canvas_.DIB, 100, 80);
    Show();
    canvas_.DIB.Destroy();
    Show();
    EXPECT_EQ(At(150, 100), workspace_);
}

TEST_F(Canvas, AControlWithoutSizeDividesByNothing) {
    PaintCoordinates(canvas_.DIB, 100, 80);
    canvas_.FitMode(true);
    SetWindowPos(canvas_.hWnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    Show();
    SendMessageA(canvas_.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(canvas_.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(canvas_.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(down_.x, 0);
    EXPECT_EQ(move_.y, 0);
    canvas_.FitMode(false);
    Show();
    SendMessageA(canvas_.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_EQ(down_.x, 50); // the middle of the image
}

TEST_F(Canvas, CustomWorkModesShowTheUserIconAndDoNotPan) {
    PaintCoordinates(canvas_.DIB, 100, 80);
    canvas_.Zoom(0);
    EXPECT_EQ(canvas_.Zoom(), 1);
    canvas_.Zoom(3);
    Show();
    COLORREF before = At(0, 0);
    canvas_.WorkMode(2);
    EXPECT_EQ(CursorOver(150, 100), LoadCursor(nullptr, IDC_SIZEALL)); // no icon: unchanged
    auto icon = test::IconPicture();
    canvas_.UserIcon(icon.get());
    EXPECT_EQ(CursorOver(150, 100), LoadIcon(nullptr, IDI_APPLICATION));
    Drag({150, 100}, {100, 50});
    EXPECT_EQ(scrolls_, 0);
    EXPECT_EQ(At(0, 0), before);
    canvas_.WorkMode(0);
    EXPECT_EQ(CursorOver(150, 100), LoadCursor(nullptr, IDC_SIZEALL));
}

TEST_F(Canvas, ADisabledControlGetsNoMouse) {
    PaintCoordinates(canvas_.DIB, 100, 80);
    Show();
    canvas_.Enabled(false);
    EXPECT_FALSE(canvas_.Enabled());
    EXPECT_FALSE(IsWindowEnabled(canvas_.hWnd()));
    Click(150, 100);
    EXPECT_EQ(down_.button, -1);
    canvas_.Enabled(true);
    Click(150, 100);
    EXPECT_EQ(down_.button, 1);
}

TEST_F(Canvas, GoesWithItsParentWindow) {
    host_.reset();
    EXPECT_EQ(canvas_.hWnd(), nullptr);
    canvas_.Repaint();
    canvas_.Resize();
}

} // namespace
} // namespace qel
