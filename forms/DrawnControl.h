// A control that draws itself, over what its container shows behind it, as the
// runtime's windowless controls (labels, images) look: its window of its own
// class paints off-screen, without flicker, and raises the mouse events with
// positions in the container's scale.
#pragma once
#include "forms/MouseEvents.h"
#include "forms/OffScreenPaint.h"
#include "forms/WindowControl.h"

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
        LRESULT result = 0;
        if (PaintOffScreen(hwnd, msg, result,
                           [this](HDC dc, const RECT& client) { Draw(dc, client); }))
            return result;
        return Base::HandleMessage(msg, wParam, lParam);
    }
};

} // namespace qel::forms
