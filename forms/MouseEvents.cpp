#include "forms/MouseEvents.h"
#include "forms/Container.h"

#include <windowsx.h>

namespace qel::forms {
namespace {

int ShiftOf(WPARAM keys) {
    return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

int ButtonsOf(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
           ((keys & MK_MBUTTON) ? 4 : 0);
}

} // namespace

std::function<void()> MouseEvents::MouseEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                              const Container& scale) {
    const int px = GET_X_LPARAM(lParam), py = GET_Y_LPARAM(lParam);
    auto mouse = [&](const MouseHandler& handler, int button) -> std::function<void()> {
        if (!handler) return {};
        float x = scale.FromPixelsX(px), y = scale.FromPixelsY(py);
        int shift = ShiftOf(wParam);
        return [handler, button, shift, x, y] { handler(button, shift, x, y); };
    };
    switch (msg) {
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(hwnd);
        return mouse(OnMouseDown, 1);
    case WM_RBUTTONDOWN:
        return mouse(OnMouseDown, 2);
    case WM_MBUTTONDOWN:
        return mouse(OnMouseDown, 4);
    case WM_MOUSEMOVE:
        return mouse(OnMouseMove, ButtonsOf(wParam));
    case WM_LBUTTONUP: {
        if (!pressed_) return {};
        pressed_ = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        RECT client{};
        GetClientRect(hwnd, &client);
        if (!PtInRect(&client, POINT{px, py})) return {};
        return OnClick;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return {};
    case WM_LBUTTONDBLCLK:
        return OnDblClick;
    }
    return {};
}

} // namespace qel::forms
