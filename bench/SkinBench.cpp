// Figures for the skin renderer: the cost of painting the frame of an 800 x 600
// skinned form against the platform painting the same form's own frame, and of
// a mouse move over the client area of a form with a menu bar, skinned and not.
#include "renderer/Qel_SkinClass.h"
#include "base/MessagePump.h"
#include "base/WindowObject.h"
#include "tests/renderer/FormMenu.h"
#include "tests/renderer/SyntheticSkin.h"
#include "tests/support/Handlers.h"
#include "tests/support/TestWindow.h"
#include "tests/support/Stopwatch.h"

#include <ole2.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

namespace qel::test {
namespace {

// The time of one frame paint (WM_NCPAINT) of the window in the given look; the
// activation change before it and the messages it leaves are not timed.
double FramePaint(HWND hwnd, bool active) {
    SendMessageA(hwnd, WM_NCACTIVATE, active, 0);
    DoEvents();
    const double start = Seconds();
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    return Seconds() - start;
}

void PaintCost() {
    const int count = 1000;
    UniqueWindow own = ProbeWindow::Create(10, 10, 800, 600, true);
    UniqueWindow skinned = ProbeWindow::Create(40, 40, 800, 600);
    SetWindowTextA(own.get(), "A form with its own frame");
    SetWindowTextA(skinned.get(), "A skinned form");
    auto renderer = Qel_SkinClass::Create();
    auto form = WindowObject::Create(skinned.get());
    renderer->Attach2(form.get(), skin::SheetConfig().get());
    ShowWindow(skinned.get(), SW_SHOW);
    PumpFor(200);

    // The two forms take turns, so that both see the same machine.
    std::vector<double> skin, platform;
    for (int i = 0; i < count + 20; ++i) {
        const bool active = i % 2 == 0;
        const double s = FramePaint(skinned.get(), active);
        const double p = FramePaint(own.get(), active);
        if (i < 20) continue; // warming up
        skin.push_back(s);
        platform.push_back(p);
    }
    const double skinTotal = std::accumulate(skin.begin(), skin.end(), 0.0);
    const double platformTotal = std::accumulate(platform.begin(), platform.end(), 0.0);
    printf("frame paints of an 800 x 600 form, %d each, active and in-active alternately:\n"
           "  skinned: %.1f ms (median %.1f us a paint)\n"
           "  the platform's own frame: %.1f ms (median %.1f us a paint)\n"
           "  ratio skinned / own: %.2f (of the medians %.2f)\n",
           count, skinTotal * 1e3, Median(skin) * 1e6, platformTotal * 1e3, Median(platform) * 1e6,
           skinTotal / platformTotal, Median(skin) / Median(platform));
    renderer->Detach();
}

// The messages a mouse move over the client area delivers (hit test, cursor,
// move), `count` moves; the time per message.
double MouseMoveMessage(HWND hwnd, int count) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const POINT screen{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    const double start = Seconds();
    for (int i = 0; i < count; ++i) {
        const LRESULT hit = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                     MAKELPARAM(hit, WM_MOUSEMOVE));
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }
    return (Seconds() - start) / (3.0 * count);
}

void MouseMoveCost() {
    const int count = 20000;
    UniqueWindow plain = ProbeWindow::Create(10, 10, 640, 480, true);
    UniqueWindow skinned = ProbeWindow::Create(40, 40, 640, 480, true);
    UniqueMenu plainMenu = MakeFormMenu(), skinnedMenu = MakeFormMenu();
    SetMenu(plain.get(), plainMenu.get());
    SetMenu(skinned.get(), skinnedMenu.get());
    auto renderer = Qel_SkinClass::Create();
    auto form = WindowObject::Create(skinned.get());
    renderer->Attach2(form.get(), skin::SheetConfig().get());
    PumpFor(200);
    MouseMoveMessage(skinned.get(), count / 10); // warm up
    const double own = MouseMoveMessage(plain.get(), count);
    const double skin = MouseMoveMessage(skinned.get(), count);
    printf("mouse moves over the client area of a 640 x 480 form with a menu bar, %d each:\n"
           "  unskinned %.2f us a message, skinned %.2f us a message, ratio %.1f\n",
           count, own * 1e6, skin * 1e6, skin / own);
    renderer->Detach();
    SetMenu(plain.get(), nullptr);
    SetMenu(skinned.get(), nullptr);
}

} // namespace
} // namespace qel::test

int main() {
    OleInitialize(nullptr);
    SetProcessDPIAware();
    qel::test::PaintCost();
    qel::test::MouseMoveCost();
    OleUninitialize();
    return 0;
}
