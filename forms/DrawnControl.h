// A control that draws itself, over what its container shows behind it, as the
// runtime's windowless controls (labels, images) look: its window of its own
// class paints off-screen, without flicker, and raises the mouse events with
// positions in the container's scale.
#pragma once
#include "forms/MouseEvents.h"
#include "forms/WindowControl.h"

#include <string>

namespace qel::forms {

template <class Base> class DrawnControl : public Base, public MouseEvents {
protected:
    using Base::Base;

    DWORD Style() const override { return 0; }
    // Draws the whole client area (`client`, at the origin) into `dc`.
    virtual void Draw(HDC dc, const RECT& client) = 0;

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        HWND hwnd = this->hWnd();
        if (auto event = MouseEvent(hwnd, msg, wParam, lParam, this->ParentContainer())) {
            this->Raise(event);
            return 0;
        }
        switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client{};
            GetClientRect(hwnd, &client);
            if (client.right > 0 && client.bottom > 0) {
                MemorySurface surface(dc, client.right, client.bottom);
                Draw(surface.dc(), client);
                BitBlt(dc, 0, 0, client.right, client.bottom, surface.dc(), 0, 0, SRCCOPY);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        }
        return Base::HandleMessage(msg, wParam, lParam);
    }
};

} // namespace qel::forms
