// Figures for the skin control: how long a skin takes to reach the screen of
// a visible 800 x 600 form, how long a switch between two built-in skins
// takes, and GDI/USER object counts around 1,000 activation cycles.
#include "control/Qel_SkinCtrl.h"
#include "tests/control/TestHost.h"
#include "tests/support/Resources.h"
#include "tests/support/TestWindow.h"
#include "tests/support/Stopwatch.h"

#include <ole2.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace qel::test {
namespace {

// The time of one call that ends with the frame painted on the screen.
template <class F> double Timed(HWND hwnd, F&& step) {
    const double start = Seconds() * 1000;
    step();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW);
    GdiFlush();
    return Seconds() * 1000 - start;
}

void Run() {
    TestHost host(60, 40, 800 - 16, 600 - 40); // about 800 x 600 with its frame
    auto ctrl = Qel_SkinCtrl::Create();
    host.Place(ctrl->Unknown(), {});
    PumpFor(200);
    HWND hwnd = host.Window();
    for (int n = 1; n <= 6; ++n)
        ctrl->ActivateSkin(n); // every sheet loaded once
    ctrl->DeactivateSkin();
    PumpFor(100);

    std::vector<double> activations, switches;
    for (int i = 0; i < 40; ++i) {
        activations.push_back(Timed(hwnd, [&] { ctrl->ActivateSkin(1); }));
        switches.push_back(Timed(hwnd, [&] { ctrl->ActivateSkin(4); }));
        ctrl->DeactivateSkin();
        PumpFor(5);
    }
    printf("ActivateSkin to the painted frame of an 800 x 600 form: median %.2f ms (best %.2f)\n",
           Median(activations), *std::min_element(activations.begin(), activations.end()));
    printf("switch between two built-in skins: median %.2f ms (best %.2f)\n", Median(switches),
           *std::min_element(switches.begin(), switches.end()));

    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    const double start = Seconds() * 1000;
    for (int i = 0; i < 1000; ++i) {
        ctrl->ActivateSkin(1 + i % 6);
        ctrl->ActivateSkin(1 + (i + 1) % 6);
        ctrl->DeactivateSkin();
    }
    PumpFor(100);
    printf("1000 cycles of ActivateSkin, a switch and DeactivateSkin: %.1f s; GDI objects %lu -> "
           "%lu, USER objects %lu -> %lu\n",
           (Seconds() * 1000 - start) / 1000, gdi, GdiObjectCount(), user, UserObjectCount());
}

} // namespace
} // namespace qel::test

int main() {
    OleInitialize(nullptr);
    SetProcessDPIAware();
    qel::test::Run();
    OleUninitialize();
    return 0;
}
