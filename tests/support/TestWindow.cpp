#include "tests/support/TestWindow.h"
#include "base/MessagePump.h"

#include <atomic>
#include <set>
#include <string>
#include <thread>

namespace qel::test {

const char* TestWindowClass(const char* name, WNDPROC proc, int background) {
    static std::set<std::string> registered;
    if (registered.insert(name).second) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background) + 1);
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
    return name;
}

UniqueWindow MakeWindow(int x, int y, int w, int h, bool visible, DWORD style, const char* title) {
    UniqueWindow hwnd(CreateWindowExA(0, TestWindowClass("QelTestWindow", DefWindowProcA), title,
                                      style, x, y, w, h, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
    if (visible && hwnd) {
        ShowWindow(hwnd.get(), SW_SHOW);
        SetForegroundWindow(hwnd.get());
        PumpUntilIdle();
    }
    return hwnd;
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        DoEvents();
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        DoEvents();
        Sleep(1);
    }
    return true;
}

bool PumpUntilIdle(DWORD timeoutMs) {
    constexpr UINT kWaiting = QS_SENDMESSAGE | QS_POSTMESSAGE | QS_INPUT | QS_PAINT;
    const DWORD start = GetTickCount();
    // The last, empty look at the queue also puts what was painted on the screen.
    for (DoEvents(); HIWORD(GetQueueStatus(kWaiting)) & kWaiting; DoEvents()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

void WhileInput(const std::function<void()>& input) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        input();
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 30000);
    worker.join();
    PumpUntilIdle();
}

} // namespace qel::test
