// What holds controls: a form, a frame or a picture box. A container measures its
// children's positions in its scale (twips or pixels), paints what lies behind
// them (its back colour, and the lines it holds), answers their colour requests,
// passes their notifications on, and lays out the children aligned to its edges.
#pragma once
#include "forms/ColorBrush.h"

#include <memory>
#include <string>
#include <vector>

namespace qel::forms {

class Control;
class Form;
class Line;

enum class Scale : short { Twips = 1, Pixels = 3 };
// Edges a picture box can be aligned to.
enum class Align : short { None = 0, Top = 1, Left = 3 };

class Container {
public:
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    virtual Scale ScaleMode() const = 0;
    // The client area in the scale.
    float ScaleWidth() const;
    float ScaleHeight() const;
    // Lengths and positions between the scale and client pixels.
    int ToPixelsX(float v) const;
    int ToPixelsY(float v) const;
    float FromPixelsX(int pixels) const;
    float FromPixelsY(int pixels) const;

    // The window the children live in, and the form the container belongs to.
    virtual HWND ClientWindow() const = 0;
    virtual Form& OwnerForm() = 0;

    OleColor BackColor() const { return back_.Color(); }
    virtual void BackColor(OleColor colour);
    OleColor ForeColor() const { return fore_; }
    virtual void ForeColor(OleColor colour);

    // A new control of kind T (a windowed control) at (left, top), width x height
    // in the scale; it belongs to the form until the form unloads.
    template <class T> T* Add(std::string name, float left, float top, float width, float height);
    // A line from (x1, y1) to (x2, y2) in the scale, drawn on the container.
    Line* AddLine(std::string name, float x1, float y1, float x2, float y2);

    // The children in the order they were added.
    const std::vector<Control*>& Children() const { return children_; }

    // Paints what lies behind the children over `area` (client pixels) into dc,
    // whose origin is the client area's top-left corner.
    virtual void PaintBackground(HDC dc, const RECT& area);
    // Repaints the client area and the children (after a line or a colour changed).
    void Invalidate() const;
    // Places the children aligned to an edge: top ones across the top in order,
    // left ones down the left edge below them.
    void LayOutAligned();

protected:
    Container(OleColor back, OleColor fore) : back_(back), fore_(fore) {}
    virtual ~Container() = default;

    // Messages that a container window gets on behalf of its children (commands,
    // colour requests) and its own painting; true when handled.
    bool HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Paints the client area: background, then the lines.
    virtual void PaintClient(HDC dc, const RECT& area);
    // Children go when the form unloads.
    void ForgetChildren() { children_.clear(); }

    ColorBrush back_;
    OleColor fore_;

private:
    template <class T> T* Adopt(std::unique_ptr<T> control);
    void AdoptControl(std::unique_ptr<Control> control);

    std::vector<Control*> children_;
};

template <class T> T* Container::Adopt(std::unique_ptr<T> control) {
    T* raw = control.get();
    AdoptControl(std::move(control));
    return raw;
}

template <class T>
T* Container::Add(std::string name, float left, float top, float width, float height) {
    auto control = std::make_unique<T>(*this, std::move(name));
    int x = ToPixelsX(left), y = ToPixelsY(top);
    control->Create({x, y, x + ToPixelsX(width), y + ToPixelsY(height)});
    T* raw = Adopt(std::move(control));
    if (raw->AlignMode() != Align::None) LayOutAligned();
    return raw;
}

} // namespace qel::forms
