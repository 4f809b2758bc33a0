// The showcase program: its main form starts it, and it runs until its last
// form closes. A main form that cannot load (no skin control to be had) is
// reported as a run-time error, and the program ends with code 1. With
// "/startup-time" it prints how long the first skinned main form took to reach
// the screen from the start of the process, and ends.
#include "demo/MainFrm.h"
#include "forms/App.h"

#include <ole2.h>
#include <cstdio>
#include <cstring>

namespace {

// Milliseconds since the process was created.
double SinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    return (ticks(now) - ticks(created)) / 10000.0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    OleInitialize(nullptr);
    const int result = qel::forms::App::Main([&] {
        qel::demo::MainFrm& main = qel::forms::Default<qel::demo::MainFrm>();
        main.Show();
        if (!strstr(commandLine, "/startup-time")) return;
        UpdateWindow(main.hWnd());
        RedrawWindow(main.hWnd(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW);
        GdiFlush();
        printf("First skinned main form painted %.0f ms after the process started.\n",
               SinceProcessStart());
        fflush(stdout);
        PostQuitMessage(0);
    });
    OleUninitialize();
    return result;
}
