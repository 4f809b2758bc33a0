#include "forms/Image.h"

namespace qel::forms {

const char* Image::ClassName() const {
    return OwnClass("QelImage", CS_DBLCLKS);
}

void Image::Picture(forms::Picture picture) {
    picture_ = std::move(picture);
    FitToPicture();
    InvalidateRect(hWnd(), nullptr, TRUE);
}

void Image::Stretch(bool stretch) {
    stretch_ = stretch;
    FitToPicture();
    InvalidateRect(hWnd(), nullptr, TRUE);
}

void Image::FitToPicture() {
    if (stretch_ || !picture_) return;
    SIZE size = PictureSize(picture_.get());
    RECT r = PixelRect();
    SetPixelRect({r.left, r.top, r.left + size.cx, r.top + size.cy});
}

// Composed off-screen: the container's background under the image, then the picture.
void Image::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    MemorySurface surface(dc, client.right, client.bottom);
    RECT r = PixelRect();
    SetViewportOrgEx(surface.dc(), -r.left, -r.top, nullptr);
    ParentContainer().PaintBackground(surface.dc(), r);
    SetViewportOrgEx(surface.dc(), 0, 0, nullptr);
    if (picture_) {
        SIZE size = PictureSize(picture_.get());
        RECT target = stretch_ ? client : RECT{0, 0, size.cx, size.cy};
        RenderPicture(picture_.get(), surface.dc(), target);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, surface.dc(), 0, 0, SRCCOPY);
}

LRESULT Image::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd(), &ps);
        Paint(dc);
        EndPaint(hWnd(), &ps);
        return 0;
    }
    }
    return WindowControl::HandleMessage(msg, wParam, lParam);
}

HRESULT Image::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_PICTURE:
        return call.Property<ComPtr<IPictureDisp>>(
            [&] { return picture_; }, [&](forms::Picture p) { Picture(std::move(p)); });
    case DISPID_FORMS_STRETCH:
        return call.Property<bool>([&] { return stretch_; }, [&](bool v) { Stretch(v); });
    }
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
