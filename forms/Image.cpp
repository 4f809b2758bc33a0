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

void Image::Bordered(bool bordered) {
    bordered_ = bordered;
    FitToPicture();
    InvalidateRect(hWnd(), nullptr, TRUE);
}

void Image::FitToPicture() {
    if (stretch_ || !picture_) return;
    SIZE size = PictureSize(picture_.get());
    const int edges = bordered_ ? 2 : 0;
    RECT r = PixelRect();
    SetPixelRect({r.left, r.top, r.left + size.cx + edges, r.top + size.cy + edges});
}

// The container's background under the image, then the border and the picture.
void Image::Draw(HDC dc, const RECT& client) {
    PaintBehind(dc);
    RECT inside = client;
    if (bordered_) {
        FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&inside, -1, -1);
    }
    if (picture_) {
        SIZE size = PictureSize(picture_.get());
        RECT target =
            stretch_ ? inside
                     : RECT{inside.left, inside.top, inside.left + size.cx, inside.top + size.cy};
        IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
        RenderPicture(picture_.get(), dc, target);
    }
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
