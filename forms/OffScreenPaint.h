// Windows that draw all of themselves: no erasing, and WM_PAINT draws the whole
// client area on a memory surface that is then copied in one step, so that
// nothing flickers while the window is resized or redrawn.
#pragma once
#include "base/Handle.h"

namespace qel::forms {

// Answers WM_ERASEBKGND and WM_PAINT of `hwnd`, painting with paint(dc, client);
// false for any other message.
template <class Paint> bool PaintOffScreen(HWND hwnd, UINT msg, LRESULT& result, Paint paint) {
    if (msg == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (msg != WM_PAINT) return false;
    PaintScope painting(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right > 0 && client.bottom > 0) {
        MemorySurface surface(painting.dc(), client.right, client.bottom);
        paint(surface.dc(), client);
        BitBlt(painting.dc(), 0, 0, client.right, client.bottom, surface.dc(), 0, 0, SRCCOPY);
    }
    result = 0;
    return true;
}

} // namespace qel::forms
