// Mouse events of a form or control: MouseDown and MouseMove with the buttons
// (1 left, 2 right, 4 middle; MouseMove: those held down), the shift keys (1
// Shift, 2 Ctrl, 4 Alt) and the position in a container's scale; Click (a left
// press released over the window) and DblClick. Each mouse message gives at most
// one event, handed out as a call to run, so that the owner runs it last (the
// handler may unload the form, and the owner with it).
#pragma once
#include <windows.h>
#include <functional>

namespace qel::forms {

class Container;

class MouseEvents {
public:
    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

    MouseHandler OnMouseDown, OnMouseMove;
    std::function<void()> OnClick, OnDblClick;

protected:
    MouseEvents() = default;
    ~MouseEvents() = default;

    // The event of a mouse message of `hwnd`, positions measured in `scale`; empty
    // when the message raises none (or its handler is not set).
    std::function<void()> MouseEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     const Container& scale);

private:
    bool pressed_ = false; // a left press waits for its release
};

} // namespace qel::forms
