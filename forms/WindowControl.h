// A control with a window of its own, placed in a container: position and size in
// the container's scale, visibility, enabled state, colours (answered to the
// container's colour requests with owned brushes) and font.
#pragma once
#include "forms/ColorBrush.h"
#include "forms/Container.h"
#include "forms/Control.h"
#include "forms/Window.h"

namespace qel::forms {

class WindowControl : public Control, public Window {
public:
    // The control's window; run-time error 364 once the control is retired.
    HWND hWnd() const {
        RequireLive();
        return Window::hWnd();
    }
    void Retire() override;

    Container& ParentContainer() const { return container_; }

    float Left() const;
    void Left(float left);
    float Top() const;
    void Top(float top);
    float Width() const;
    void Width(float width);
    float Height() const;
    void Height(float height);
    // Moves and sizes in one step, in the container's scale.
    void Move(float left, float top, float width, float height);

    bool Visible() const override;
    void Visible(bool visible) override;
    bool Enabled() const;
    void Enabled(bool enabled);
    // Repaints the control now.
    virtual void Refresh();

    OleColor BackColor() const { return back_.Color(); }
    virtual void BackColor(OleColor colour);
    OleColor ForeColor() const { return fore_; }
    virtual void ForeColor(OleColor colour);

    // The text font: the forms' default, "MS Sans Serif" of 8 points.
    HFONT FontHandle() const;
    // The default font, regular or bold (shared: nothing to free).
    static HFONT TextFont(bool bold);

    // The edge the control is aligned to (picture boxes only).
    virtual Align AlignMode() const { return Align::None; }

protected:
    WindowControl(Container& container, std::string name, OleColor back, OleColor fore);

    // Makes the window at `pixels` in the container's client area.
    void Create(const RECT& pixels);
    virtual const char* ClassName() const = 0;
    virtual DWORD Style() const = 0;
    virtual DWORD ExStyle() const { return 0; }
    // The window exists: the kind sets what it keeps apart from the window.
    virtual void Created() {}

    // From the container: a WM_COMMAND notification of this control's window.
    virtual void Command(WORD) {}
    // From the container: a colour request (WM_CTLCOLOR*); the brush to paint with.
    virtual HBRUSH ColorRequest(HDC dc);

    // Position, window and colour members.
    HRESULT Invoke(DispatchCall& call) override;

    // Paints what the container shows behind the control into `dc`, whose origin
    // is the control's top-left corner.
    void PaintBehind(HDC dc) const;

    // The window's rectangle in the container's client pixels.
    RECT PixelRect() const;
    void SetPixelRect(const RECT& r);

    ColorBrush back_;
    OleColor fore_;

private:
    friend class Container;

    Container& container_;
};

} // namespace qel::forms
