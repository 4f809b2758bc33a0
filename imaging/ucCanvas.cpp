#include "imaging/ucCanvas.h"
#include "base/Rounding.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qel {
namespace {

constexpr char kClassName[] = "QelSkinCreator.ucCanvas";

int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int16_t ShiftState(WPARAM keys) {
    return static_cast<int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

int16_t HeldButtons(WPARAM keys) {
    return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                                ((keys & MK_MBUTTON) ? 4 : 0));
}

// One direction of the layout of a magnified image: the size shown and how
// far it scrolls.
void Fit(int32_t control, int32_t imageSize, int32_t zoom, int32_t& shown, int32_t& maxScroll) {
    int64_t magnified = int64_t{zoom} * imageSize;
    if (control >= magnified) {
        maxScroll = 0;
        shown = Saturate(magnified);
    } else {
        maxScroll = Saturate(magnified - control);
        shown = control;
    }
}

// The same relative scroll position in a new range (the middle when there was none).
int32_t KeepPosition(float previous, float previousMax, int32_t maxScroll) {
    if (previousMax == 0) return maxScroll / 2;
    return Saturate(RoundHalfEven(double{previous} * maxScroll) / RoundHalfEven(previousMax));
}

// One direction of the source and destination of a magnified, scrolled image:
// whole source pixels, one more at each end to cover those partly in view.
void Span(int32_t imageStart, int32_t shown, int32_t scroll, int32_t zoom, int32_t& dest,
          int32_t& destSize, int32_t& source, int32_t& sourceSize) {
    source = scroll / zoom;
    dest = imageStart - scroll % zoom;
    sourceSize = shown / zoom + 2;
    destSize = Saturate(int64_t{zoom} * (shown / zoom) + 2 * int64_t{zoom});
}

} // namespace

bool ucCanvas::Create(HWND parent, int x, int y, int width, int height, int id) {
    static const ATOM registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExA(&wc);
    }();
    if (!registered || window_) return false;
    HWND hwnd = CreateWindowExA(
        0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
    if (!hwnd) return false;
    EnableWindow(hwnd, enabled_);
    return true;
}

LRESULT CALLBACK ucCanvas::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<ucCanvas*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_.reset(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ucCanvas*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window goes with its parent: the control no longer owns it.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->window_.release();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        // An event handler failed; the message is done with all the same.
        return 0;
    }
}

LRESULT ucCanvas::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = window_.get();
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_SIZE:
        UpdateLayout();
        Repaint();
        if (SizeChanged) SizeChanged();
        return 0;
    case WM_PAINT: {
        PaintScope painting(hwnd);
        PaintImage(painting.dc());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // everything is painted by PaintImage
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(hwnd);
        OnMouseDown(message == WM_LBUTTONDOWN   ? 1
                    : message == WM_RBUTTONDOWN ? 2
                                                : 4,
                    ShiftState(wParam), x, y);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(HeldButtons(wParam), ShiftState(wParam), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!HeldButtons(wParam) && GetCapture() == hwnd) ReleaseCapture();
        OnMouseUp(message == WM_LBUTTONUP   ? 1
                  : message == WM_RBUTTONUP ? 2
                                            : 4,
                  ShiftState(wParam), x, y);
        return 0;
    case WM_CAPTURECHANGED:
        // Released elsewhere (another window took the mouse): no drag goes on.
        if (reinterpret_cast<HWND>(lParam) != hwnd) leftDown_ = false;
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(PointerCursor());
            return TRUE;
        }
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void ucCanvas::Repaint() {
    if (!window_) return;
    WindowDC dc = WindowDC::Client(window_.get());
    PaintImage(dc.get());
}

void ucCanvas::Resize() {
    if (window_) UpdateLayout();
}

void ucCanvas::Enabled(bool enabled) {
    enabled_ = enabled;
    if (window_) EnableWindow(window_.get(), enabled);
}

void ucCanvas::UserIcon(IPicture* icon) {
    userIcon_ = icon;
    UpdateMousePointer();
}

void ucCanvas::WorkMode(int32_t workMode) {
    workMode_ = workMode;
    UpdateMousePointer();
}

void ucCanvas::UpdateLayout() {
    RECT client{};
    GetClientRect(window_.get(), &client);
    const int32_t width = client.right, height = client.bottom;
    if (!DIB.hDIB()) {
        imageWidth_ = imageHeight_ = 0;
    } else if (fitMode_) {
        // The scroll positions stay as they are.
        DIB.GetBestFitInfo(width, height, imageX_, imageY_, imageWidth_, imageHeight_, false);
    } else {
        Fit(width, DIB.Width(), zoom_, imageWidth_, maxScrollX_);
        Fit(height, DIB.Height(), zoom_, imageHeight_, maxScrollY_);
        imageX_ = (width - imageWidth_) / 2;
        imageY_ = (height - imageHeight_) / 2;
        scrollX_ = KeepPosition(previousScrollX_, previousMaxX_, maxScrollX_);
        scrollY_ = KeepPosition(previousScrollY_, previousMaxY_, maxScrollY_);
        previousScrollX_ = static_cast<float>(scrollX_);
        previousScrollY_ = static_cast<float>(scrollY_);
        previousMaxX_ = static_cast<float>(maxScrollX_);
        previousMaxY_ = static_cast<float>(maxScrollY_);
    }
    UpdateMousePointer();
}

void ucCanvas::PaintBackground(HDC dc) const {
    RECT client{};
    GetClientRect(window_.get(), &client);
    UniqueRegion around(CreateRectRgn(0, 0, client.right, client.bottom));
    UniqueRegion image(
        CreateRectRgn(imageX_, imageY_, imageX_ + imageWidth_, imageY_ + imageHeight_));
    CombineRgn(around.get(), around.get(), image.get(), RGN_DIFF);
    FillRgn(dc, around.get(), GetSysColorBrush(COLOR_APPWORKSPACE));
}

void ucCanvas::PaintImage(HDC dc) const {
    if (!window_ || !IsWindowVisible(window_.get())) return;
    if (!DIB.hDIB()) {
        PaintBackground(dc);
        return;
    }
    int32_t dx = imageX_, dw = imageWidth_, sx = 0, sw = DIB.Width();
    int32_t dy = imageY_, dh = imageHeight_, sy = 0, sh = DIB.Height();
    if (!fitMode_ && maxScrollX_ != 0) Span(imageX_, imageWidth_, scrollX_, zoom_, dx, dw, sx, sw);
    if (!fitMode_ && maxScrollY_ != 0) Span(imageY_, imageHeight_, scrollY_, zoom_, dy, dh, sy, sh);
    PaintBackground(dc);
    DIB.Stretch(dc, dx, dy, dw, dh, sx, sy, sw, sh, SRCCOPY);
}

void ucCanvas::UpdateMousePointer() {
    if (workMode_ != 0) {
        if (userIcon_) pointer_ = kCustom;
    } else {
        pointer_ = !fitMode_ && (maxScrollX_ != 0 || maxScrollY_ != 0) ? kSizeAll : kDefault;
    }
    // Show the change at once when the pointer is over the control.
    POINT at;
    if (window_ && GetCursorPos(&at) && WindowFromPoint(at) == window_.get())
        SetCursor(PointerCursor());
}

HCURSOR ucCanvas::PointerCursor() const {
    switch (pointer_) {
    case kSizeAll:
        return LoadCursor(nullptr, IDC_SIZEALL);
    case kCustom: {
        short type = PICTYPE_NONE;
        OLE_HANDLE handle = 0;
        if (userIcon_ && SUCCEEDED(userIcon_->get_Type(&type)) && type == PICTYPE_ICON &&
            SUCCEEDED(userIcon_->get_Handle(&handle)))
            return static_cast<HCURSOR>(LongToHandle(static_cast<LONG>(handle)));
        break;
    }
    case kDefault:
        break;
    }
    return LoadCursor(nullptr, IDC_ARROW);
}

int32_t ucCanvas::ToImageX(int32_t x) const {
    return ToImage(x, imageX_, imageWidth_, DIB.Width(), scrollX_);
}

int32_t ucCanvas::ToImageY(int32_t y) const {
    return ToImage(y, imageY_, imageHeight_, DIB.Height(), scrollY_);
}

int32_t ucCanvas::ToImage(int32_t at, int32_t imageStart, int32_t shown, int32_t imageSize,
                          int32_t scroll) const {
    if (!DIB.hDIB()) return 0;
    double image;
    if (fitMode_) {
        // No image area (a control without size) has no image coordinates.
        if (shown == 0) return 0;
        image = (at - imageStart) / (static_cast<double>(shown) / imageSize);
    } else {
        image = static_cast<double>(int64_t{at} + scroll - imageStart) / zoom_;
    }
    return Saturate(static_cast<int64_t>(std::floor(image)));
}

void ucCanvas::OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) {
    leftDown_ = button == 1;
    lastX_ = x;
    lastY_ = y;
    if (MouseDown) MouseDown(button, shift, ToImageX(x), ToImageY(y));
}

void ucCanvas::OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) {
    if (leftDown_ && workMode_ == 0) {
        scrollX_ =
            std::clamp(Saturate(int64_t{lastX_} - x + scrollX_), 0, std::max(maxScrollX_, 0));
        scrollY_ =
            std::clamp(Saturate(int64_t{lastY_} - y + scrollY_), 0, std::max(maxScrollY_, 0));
        lastX_ = x;
        lastY_ = y;
        if (scrollX_ != previousScrollX_ || scrollY_ != previousScrollY_) {
            Repaint();
            if (Scroll) Scroll();
        }
        previousScrollX_ = static_cast<float>(scrollX_);
        previousScrollY_ = static_cast<float>(scrollY_);
    }
    if (MouseMove) MouseMove(button, shift, ToImageX(x), ToImageY(y));
}

void ucCanvas::OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) {
    leftDown_ = false;
    if (MouseUp) MouseUp(button, shift, ToImageX(x), ToImageY(y));
}

} // namespace qel
