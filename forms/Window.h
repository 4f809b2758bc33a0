// A window of the forms layer: a form, a container or a control's own window. Each
// is subclassed, so that its messages reach HandleMessage whether its class is one
// of the platform's (BUTTON, EDIT, ...) or the layer's own; no exception leaves
// the window procedure.
#pragma once
#include "base/Handle.h"

namespace qel::forms {

class Window {
public:
    HWND hWnd() const { return hwnd_.get(); }
    // The object behind a window of the layer, or null.
    static Window* FromHandle(HWND hwnd);

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

protected:
    Window() = default;
    // Destroys the window (after detaching it from this object).
    virtual ~Window();

    // Creates the window at `pixels` (relative to the parent's client area) and
    // subclasses it. `className` is a platform class or one from OwnClass.
    void CreateWindowOf(const char* className, const char* text, DWORD style, DWORD exStyle,
                        HWND parent, const RECT& pixels);
    // Subclasses a window made elsewhere; it is destroyed with this object unless
    // released.
    void AttachWindow(HWND hwnd);
    // Detaches and destroys the window now.
    void DestroyOwnWindow();
    // Detaches the window and leaves it to whoever made it.
    void ReleaseOwnWindow();

    // A message for this window; the default hands it to the class's procedure.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // Registers (once) a window class of the layer with the default procedure.
    static const char* OwnClass(const char* name, UINT style);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Detach();

    UniqueWindow hwnd_;
    WNDPROC previous_ = nullptr;
};

} // namespace qel::forms
