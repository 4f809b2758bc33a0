#include "forms/WindowControl.h"
#include "forms/CommonMembers.h"
#include "forms/Form.h"

namespace qel::forms {
namespace {

// The forms' default text font: "MS Sans Serif", 8 points.
UniqueFont MakeFont(int weight) {
    WindowDC screen = WindowDC::Client(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    return UniqueFont(CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                  DEFAULT_QUALITY, 0, "MS Sans Serif"));
}

} // namespace

HFONT WindowControl::TextFont(bool bold) {
    static UniqueFont regular = MakeFont(FW_NORMAL), heavy = MakeFont(FW_BOLD);
    return bold ? heavy.get() : regular.get();
}

WindowControl::WindowControl(Container& container, std::string name, OleColor back, OleColor fore)
    : Control(container.OwnerForm(), std::move(name)), back_(back), fore_(fore),
      container_(container) {}

void WindowControl::Create(const RECT& pixels) {
    CreateWindowOf(ClassName(), "", Style() | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, ExStyle(),
                   container_.ClientWindow(), pixels);
    SendMessageA(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    Created();
}

void WindowControl::Retire() {
    Control::Retire();
    DestroyOwnWindow();
}

RECT WindowControl::PixelRect() const {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    MapWindowPoints(nullptr, container_.ClientWindow(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void WindowControl::SetPixelRect(const RECT& r) {
    SetWindowPos(hWnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (AlignMode() != Align::None) container_.LayOutAligned();
}

float WindowControl::Left() const {
    return container_.FromPixelsX(PixelRect().left);
}
float WindowControl::Top() const {
    return container_.FromPixelsY(PixelRect().top);
}
float WindowControl::Width() const {
    RECT r = PixelRect();
    return container_.FromPixelsX(r.right - r.left);
}
float WindowControl::Height() const {
    RECT r = PixelRect();
    return container_.FromPixelsY(r.bottom - r.top);
}

void WindowControl::Left(float left) {
    Move(left, Top(), Width(), Height());
}
void WindowControl::Top(float top) {
    Move(Left(), top, Width(), Height());
}
void WindowControl::Width(float width) {
    Move(Left(), Top(), width, Height());
}
void WindowControl::Height(float height) {
    Move(Left(), Top(), Width(), height);
}

void WindowControl::Move(float left, float top, float width, float height) {
    int x = container_.ToPixelsX(left), y = container_.ToPixelsY(top);
    SetPixelRect({x, y, x + container_.ToPixelsX(width), y + container_.ToPixelsY(height)});
}

bool WindowControl::Visible() const {
    return (GetWindowLongPtrA(hWnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void WindowControl::Visible(bool visible) {
    ShowWindow(hWnd(), visible ? SW_SHOWNA : SW_HIDE);
    if (AlignMode() != Align::None) container_.LayOutAligned();
}

bool WindowControl::Enabled() const {
    return IsWindowEnabled(hWnd()) != FALSE;
}

void WindowControl::Enabled(bool enabled) {
    EnableWindow(hWnd(), enabled);
}

void WindowControl::Refresh() {
    RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void WindowControl::BackColor(OleColor colour) {
    back_.Set(colour);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

void WindowControl::ForeColor(OleColor colour) {
    fore_ = colour;
    InvalidateRect(hWnd(), nullptr, TRUE);
}

HFONT WindowControl::FontHandle() const {
    return TextFont(false);
}

void WindowControl::PaintBehind(HDC dc) const {
    RECT r = PixelRect();
    POINT origin{};
    SetViewportOrgEx(dc, -r.left, -r.top, &origin);
    container_.PaintBackground(dc, r);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

HBRUSH WindowControl::ColorRequest(HDC dc) {
    SetTextColor(dc, ToRgb(fore_));
    SetBkColor(dc, back_.Rgb());
    return back_.Brush();
}

HRESULT WindowControl::Invoke(DispatchCall& call) {
    HRESULT hr = InvokePlaced(*this, call);
    return hr != DISP_E_MEMBERNOTFOUND ? hr : Control::Invoke(call);
}

} // namespace qel::forms
