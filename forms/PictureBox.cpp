#include "forms/PictureBox.h"
#include "forms/RuntimeError.h"

#include <algorithm>

namespace qel::forms {

const char* PictureBox::ClassName() const {
    return OwnClass("QelPictureBox", CS_DBLCLKS | CS_OWNDC);
}

DWORD PictureBox::ExStyle() const {
    return WS_EX_CONTROLPARENT | (bordered_ ? WS_EX_CLIENTEDGE : 0);
}

void PictureBox::AlignMode(Align align) {
    align_ = align;
    ParentContainer().LayOutAligned();
}

void PictureBox::Picture(forms::Picture picture) {
    picture_ = std::move(picture);
    FitToPicture();
    Cls();
}

forms::Picture PictureBox::Image() {
    RECT client{};
    GetClientRect(ClientWindow(), &client);
    const int w = std::max<int>(client.right, 1), h = std::max<int>(client.bottom, 1);
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    if (!bitmap || !dc) throw RuntimeError(kOutOfMemory, "Out of memory");
    {
        Selection selected(dc.get(), bitmap.get());
        RECT all{0, 0, w, h};
        PaintBackground(dc.get(), all);
    }
    return PictureFromBitmap(std::move(bitmap));
}

void PictureBox::AutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToPicture();
}

// The client area takes the picture's size; the border comes on top.
void PictureBox::FitToPicture() {
    if (!autoSize_ || !picture_) return;
    SIZE size = PictureSize(picture_.get());
    RECT outer{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(hWnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(hWnd(), GWL_EXSTYLE)));
    RECT r = PixelRect();
    SetPixelRect(
        {r.left, r.top, r.left + outer.right - outer.left, r.top + outer.bottom - outer.top});
}

void PictureBox::Bordered(bool bordered) {
    bordered_ = bordered;
    SetWindowLongPtrA(hWnd(), GWL_EXSTYLE, ExStyle());
    SetWindowPos(hWnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    FitToPicture();
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE) FitImage();
    if (auto event = MouseEvent(hWnd(), msg, wParam, lParam, *this)) {
        Raise(event);
        return 0;
    }
    return ContainerControl::HandleMessage(msg, wParam, lParam);
}

HRESULT PictureBox::Invoke(DispatchCall& call) {
    bool handled = false;
    HRESULT hr = InvokeSurface(call, handled);
    if (handled) return hr;
    switch (call.Id()) {
    case DISPID_FORMS_ALIGN:
        return call.ReadOnly<short>([&] { return static_cast<short>(align_); });
    case DISPID_FORMS_PICTURE:
        return call.Property<ComPtr<IPictureDisp>>(
            [&] { return picture_; }, [&](forms::Picture p) { Picture(std::move(p)); });
    }
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
