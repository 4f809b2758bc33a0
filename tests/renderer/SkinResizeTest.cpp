// Resizing a skinned form by dragging its border, step by step: every step
// leaves a whole frame on the screen and the run leaves the process's GDI and
// USER objects where they began.
#include "tests/renderer/SkinnedForm.h"
#include "tests/renderer/SyntheticSkin.h"
#include "tests/support/Handlers.h"
#include "tests/support/Input.h"
#include "tests/support/Resources.h"
#include "tests/support/Screen.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <cstdio>

namespace qel {
namespace {

using namespace test::skin;

// Shows windows whole while they are dragged or sized, for the life of the object.
class FullWindowDragging {
public:
    FullWindowDragging() {
        SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &before_, 0);
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    }
    ~FullWindowDragging() { SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, before_, nullptr, 0); }

private:
    BOOL before_ = FALSE;
};

int WindowWidth(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r.right - r.left;
}

TEST(SkinResize, TwoHundredBorderStepsLeaveAWholeFrameAndNoObjectsBehind) {
    FullWindowDragging fullDrag;
    test::ProbeWindow::Reset();
    test::MouseMove(5, 5);
    constexpr int kSteps = 200, kW = 300, kH = 220;
    test::SkinnedForm form =
        test::SkinnedForm::Create(SheetConfig().get(), {60, 100, 60 + kW, 100 + kH}, true);
    const HWND hwnd = form.hwnd;
    // Drags the right border through `steps` one-pixel steps, checking the
    // frame after each; answers how many steps left it unpainted.
    auto dragRight = [&](int steps) {
        int unpainted = 0;
        test::WhileInput([&] {
            int width = WindowWidth(hwnd);
            const RECT r = form.Rect();
            const POINT start{r.right - 2, r.top + kH / 2};
            test::MouseMove(start.x + 1, start.y);
            test::MouseMove(start.x, start.y);
            test::MouseDown();
            for (int i = 1; i <= steps; ++i) {
                test::MouseMove(start.x + i, start.y);
                // Wait for the window to take its new size, then for its frame.
                test::WaitFor([&] { return WindowWidth(hwnd) != width; }, 250);
                width = WindowWidth(hwnd);
                unpainted += !test::WaitFor(
                    [&] {
                        return test::WindowPixel(hwnd, width - 3, kH / 2) == BorderCell(6) &&
                               test::WindowPixel(hwnd, width - 2, kH - 2) == BorderCell(5) &&
                               test::WindowPixel(hwnd, width - 3, 2) == kRight[0] &&
                               test::WindowPixel(hwnd, width / 2, kH - 2) == BorderCell(3);
                    },
                    250);
            }
            test::MouseUp();
        });
        return unpainted;
    };
    // A first drag makes what the platform makes once for any (its caches).
    dragRight(5);
    test::PumpUntilIdle();
    const int before = WindowWidth(hwnd);
    const DWORD gdi = test::GdiObjectCount(), user = test::UserObjectCount();
    const int unpainted = dragRight(kSteps);
    const int grown = WindowWidth(hwnd) - before;
    test::PumpUntilIdle();
    test::SaveWindowShot("renderer_resized_in_200_steps", hwnd);
    printf("%d border steps: the window grew %d pixels; %d steps left the frame unpainted; GDI "
           "%lu -> %lu, USER %lu -> %lu\n",
           kSteps, grown, unpainted, gdi, test::GdiObjectCount(), user, test::UserObjectCount());
    EXPECT_GE(grown, kSteps - 2); // the last move's message may still be on its way
    EXPECT_EQ(unpainted, 0);
    EXPECT_EQ(test::GdiObjectCount(), gdi);
    EXPECT_EQ(test::UserObjectCount(), user);
}

} // namespace
} // namespace qel
