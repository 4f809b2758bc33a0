#include "forms/Container.h"
#include "base/Rounding.h"
#include "base/Twips.h"
#include "forms/Form.h"
#include "forms/Line.h"
#include "forms/WindowControl.h"

namespace qel::forms {
namespace {

WindowControl* ControlOf(LPARAM child) {
    return dynamic_cast<WindowControl*>(Window::FromHandle(reinterpret_cast<HWND>(child)));
}

} // namespace

float Container::ScaleWidth() const {
    RECT r{};
    GetClientRect(ClientWindow(), &r);
    return FromPixelsX(r.right);
}

float Container::ScaleHeight() const {
    RECT r{};
    GetClientRect(ClientWindow(), &r);
    return FromPixelsY(r.bottom);
}

int Container::ToPixelsX(float v) const {
    return ScaleMode() == Scale::Pixels ? RoundHalfEven(v) : PixelsFromTwipsX(v);
}

int Container::ToPixelsY(float v) const {
    return ScaleMode() == Scale::Pixels ? RoundHalfEven(v) : PixelsFromTwipsY(v);
}

float Container::FromPixelsX(int pixels) const {
    return static_cast<float>(ScaleMode() == Scale::Pixels ? pixels : pixels * TwipsPerPixelX());
}

float Container::FromPixelsY(int pixels) const {
    return static_cast<float>(ScaleMode() == Scale::Pixels ? pixels : pixels * TwipsPerPixelY());
}

void Container::BackColor(OleColor colour) {
    back_.Set(colour);
    Invalidate();
}

void Container::ForeColor(OleColor colour) {
    fore_ = colour;
}

Line* Container::AddLine(std::string name, float x1, float y1, float x2, float y2) {
    Line* line = Adopt(std::make_unique<Line>(*this, std::move(name)));
    line->Move(x1, y1, x2, y2);
    return line;
}

void Container::AdoptControl(std::unique_ptr<Control> control) {
    children_.push_back(control.get());
    OwnerForm().AdoptControl(std::move(control));
}

// Children are painted again too: images show the container through.
void Container::Invalidate() const {
    RedrawWindow(ClientWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Container::PaintBackground(HDC dc, const RECT& area) {
    FillRect(dc, &area, back_.Brush());
}

void Container::PaintClient(HDC dc, const RECT& area) {
    PaintBackground(dc, area);
    for (Control* child : children_)
        if (auto* line = dynamic_cast<Line*>(child)) line->Draw(dc);
}

void Container::LayOutAligned() {
    RECT free{};
    GetClientRect(ClientWindow(), &free);
    for (Control* child : children_) {
        auto* control = dynamic_cast<WindowControl*>(child);
        if (!control || control->AlignMode() == Align::None || !control->Visible()) continue;
        RECT r = control->PixelRect();
        if (control->AlignMode() == Align::Top) {
            int h = r.bottom - r.top;
            SetWindowPos(control->hWnd(), nullptr, free.left, free.top, free.right - free.left, h,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            free.top += h;
        } else {
            int w = r.right - r.left;
            SetWindowPos(control->hWnd(), nullptr, free.left, free.top, w, free.bottom - free.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            free.left += w;
        }
    }
}

bool Container::HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (WindowControl* child = lParam ? ControlOf(lParam) : nullptr) {
            child->Command(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (WindowControl* child = ControlOf(lParam)) {
            HBRUSH brush = child->ColorRequest(reinterpret_cast<HDC>(wParam));
            result = reinterpret_cast<LRESULT>(brush);
            return brush != nullptr;
        }
        return false;
    case WM_ERASEBKGND:
        result = 1; // painted with the rest in WM_PAINT
        return true;
    case WM_PAINT: {
        PaintScope painting(ClientWindow());
        PaintClient(painting.dc(), painting.area());
        result = 0;
        return true;
    }
    case WM_SIZE:
        LayOutAligned();
        return false;
    }
    return false;
}

} // namespace qel::forms
