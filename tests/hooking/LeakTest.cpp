// Runs that must leave the process's GDI and USER objects, the windows'
// properties and the global atom table where they began. The benchmark program
// runs the same cycles ten times longer and prints the figures.
#include "base/WindowObject.h"
#include "hooking/MSubclass.h"
#include "hooking/cNCCalcSize.h"
#include "tests/support/Handlers.h"
#include "tests/support/Resources.h"

#include <gtest/gtest.h>
#include <cstdio>

namespace qel {
namespace {

using test::GdiObjectCount;
using test::ProbeWindow;
using test::UserObjectCount;

BOOL CALLBACK CountProp(HWND, LPSTR, HANDLE, ULONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int PropCount(HWND hwnd) {
    int n = 0;
    EnumPropsExA(hwnd, CountProp, reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST(Leaks, AttachAndDetachCyclesLeaveNothingBehind) {
    UniqueWindow window = ProbeWindow::Create(0, 0, 300, 200);
    HWND hwnd = window.get();
    auto impl = test::StubSkinArea::Create(hwnd);
    auto form = WindowObject::Create(hwnd);
    auto cycle = [&] {
        auto ncs = cNCCalcSize::Create();
        ncs->Attach(impl->Itf());
        ncs->Display(form.get());
    };
    cycle(); // the first use creates the system's own caches
    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    const int props = PropCount(hwnd);
    const DWORD start = GetTickCount();
    for (int i = 0; i < 100; ++i)
        cycle();
    printf("100 attach/detach cycles: %lu ms; GDI %lu -> %lu, USER %lu -> %lu\n",
           GetTickCount() - start, gdi, GdiObjectCount(), user, UserObjectCount());
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
    EXPECT_EQ(PropCount(hwnd), props);
    const std::string h = std::to_string(HandleToLong(hwnd));
    EXPECT_EQ(GlobalFindAtomA(("C" + h).c_str()), 0);
    EXPECT_EQ(GlobalFindAtomA((h + "#" + std::to_string(WM_NCPAINT) + "#1").c_str()), 0);
}

TEST(Leaks, DestroyedSubclassedWindowsTakeTheirRegistrationsWithThem) {
    auto handler = test::RecordingHandler::Create("A", nullptr, emrPostProcess);
    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    std::vector<std::string> names;
    const DWORD start = GetTickCount();
    for (int i = 0; i < 200; ++i) {
        UniqueWindow window = ProbeWindow::Create(0, 0, 100, 100);
        HWND hwnd = window.get();
        for (UINT msg : {WM_USER + 5, WM_USER + 6, WM_SIZE})
            AttachMessageImpl(handler->Itf(), hwnd, msg);
        if (i % 20 == 0) names.push_back(std::to_string(HandleToLong(hwnd)) + "#1029C");
    } // destroyed with every registration in place
    printf("200 subclassed windows: %lu ms; GDI %lu -> %lu, USER %lu -> %lu\n",
           GetTickCount() - start, gdi, GdiObjectCount(), user, UserObjectCount());
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
    for (const std::string& name : names)
        EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0) << name;
}

} // namespace
} // namespace qel
