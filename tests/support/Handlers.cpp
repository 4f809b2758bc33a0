#include "tests/support/Handlers.h"
#include "base/Handle.h"
#include "tests/support/TestWindow.h"

namespace qel::test {

std::vector<std::string>* ProbeWindow::log = nullptr;
std::function<void(HWND, UINT, WPARAM, LPARAM)> ProbeWindow::action;
std::map<UINT, int> ProbeWindow::counts;

namespace {

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    ++ProbeWindow::counts[msg];
    if (ProbeWindow::action) ProbeWindow::action(hwnd, msg, w, l);
    if (msg >= WM_USER) {
        if (ProbeWindow::log) ProbeWindow::log->push_back("prev:" + std::to_string(msg));
        return 99;
    }
    if (msg == WM_CLOSE) return 0;
    if (msg == WM_SYSCOMMAND && (w & 0xFFF0) == SC_KEYMENU) return 0;
    return DefWindowProcA(hwnd, msg, w, l);
}

} // namespace

UniqueWindow ProbeWindow::Create(int x, int y, int w, int h, bool visible) {
    UniqueWindow hwnd(CreateWindowExA(0, TestWindowClass("QelProbeWindow", ProbeProc), "Probe",
                                      WS_OVERLAPPEDWINDOW, x, y, w, h, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
    if (visible && hwnd) {
        ShowWindow(hwnd.get(), SW_SHOW);
        SetForegroundWindow(hwnd.get());
        UpdateWindow(hwnd.get());
    }
    return hwnd;
}

void ProbeWindow::Reset() {
    log = nullptr;
    action = nullptr;
    counts.clear();
}

STDMETHODIMP StubSkinArea::NCPaint(LONG hdcValue, LONG l, LONG t, LONG r, LONG b) {
    ++paints;
    lastPaintRect = {l, t, r, b};
    HDC hdc = static_cast<HDC>(LongToHandle(hdcValue));
    if (!hdc) return S_OK;
    auto fill = [&](RECT rc, COLORREF c) {
        UniqueBrush brush(CreateSolidBrush(c));
        FillRect(hdc, &rc, brush.get());
    };
    const LONG L = left, T = top, R = right, B = bottom;
    fill({l, t, r, t + T}, kCaption);
    fill({l, t + T, l + L, b - B}, kLeft);
    fill({r - R - 2, t + T, r, b - B}, kRight); // the client area ends 2 pixels early
    fill({l, b - B - 1, r, b}, kBottom);        // and 1 pixel early at the bottom
    return S_OK;
}

} // namespace qel::test
