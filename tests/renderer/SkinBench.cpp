// Figures for the skin renderer: the cost of painting the frame of an 800 x 600
// skinned form against the platform painting the same form's own frame.
#include "renderer/Qel_SkinClass.h"
#include "base/MessagePump.h"
#include "base/WindowObject.h"
#include "tests/hooking/Handlers.h"
#include "tests/renderer/SyntheticSkin.h"
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

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
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

} // namespace
} // namespace qel::test

int main() {
    OleInitialize(nullptr);
    SetProcessDPIAware();
    qel::test::PaintCost();
    OleUninitialize();
    return 0;
}
