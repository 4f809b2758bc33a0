// Figures for the hooking framework: the cost of dispatching a message through
// subclass handlers, and GDI/USER object counts around long attach/detach runs.
#include "base/WindowObject.h"
#include "hooking/MSubclass.h"
#include "hooking/cNCCalcSize.h"
#include "tests/support/Handlers.h"
#include "tests/support/Resources.h"
#include "tests/support/Stopwatch.h"

#include <ole2.h>
#include <cstdio>

namespace qel::test {
namespace {

double NanosecondsPerMessage(HWND hwnd, int count) {
    double start = Seconds();
    for (int i = 0; i < count; ++i)
        SendMessageA(hwnd, WM_USER + 1, i, 0);
    return (Seconds() - start) * 1e9 / count;
}

void DispatchCost() {
    const int count = 1000000;
    UniqueWindow plain = ProbeWindow::Create();
    UniqueWindow hooked = ProbeWindow::Create();
    ComPtr<RecordingHandler> handlers[3];
    for (auto& h : handlers) {
        h = RecordingHandler::Create("h", nullptr, emrPostProcess, 1);
        AttachMessageImpl(h->Itf(), hooked.get(), WM_USER + 1);
    }
    NanosecondsPerMessage(plain.get(), count / 10); // warm up
    double unsubclassed = NanosecondsPerMessage(plain.get(), count);
    double subclassed = NanosecondsPerMessage(hooked.get(), count);
    printf("dispatch: %d messages; unsubclassed %.0f ns/message, three handlers %.0f ns/message, "
           "ratio %.1f\n",
           count, unsubclassed, subclassed, subclassed / unsubclassed);
    for (auto& h : handlers)
        DetachMessageImpl(h->Itf(), hooked.get(), WM_USER + 1);
}

void AttachDetachCycles() {
    UniqueWindow window = ProbeWindow::Create(0, 0, 300, 200);
    auto impl = StubSkinArea::Create(window.get());
    auto form = WindowObject::Create(window.get());
    auto cycle = [&] {
        auto ncs = cNCCalcSize::Create();
        ncs->Attach(impl->Itf());
        ncs->Display(form.get());
    };
    cycle(); // the first use creates the system's own caches
    DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    double start = Seconds();
    for (int i = 0; i < 10000; ++i)
        cycle();
    printf("10000 attach/detach cycles: %.1f s; GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
           Seconds() - start, gdi, GdiObjectCount(), user, UserObjectCount());
}

void DestroyedWindows() {
    auto handler = RecordingHandler::Create("h", nullptr, emrPostProcess);
    DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    double start = Seconds();
    for (int i = 0; i < 1000; ++i) {
        UniqueWindow window = ProbeWindow::Create();
        for (UINT msg : {WM_USER + 5, WM_USER + 6, WM_SIZE})
            AttachMessageImpl(handler->Itf(), window.get(), msg);
    }
    printf("1000 subclassed windows destroyed: %.1f s; GDI objects %lu -> %lu, USER objects %lu "
           "-> %lu\n",
           Seconds() - start, gdi, GdiObjectCount(), user, UserObjectCount());
}

} // namespace
} // namespace qel::test

int main() {
    OleInitialize(nullptr);
    qel::test::DispatchCost();
    qel::test::AttachDetachCycles();
    qel::test::DestroyedWindows();
    OleUninitialize();
    return 0;
}
