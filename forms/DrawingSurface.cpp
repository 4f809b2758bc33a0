#include "forms/DrawingSurface.h"
#include "forms/FormsTypeLib.h"
#include "forms/Picture.h"
#include "forms/RuntimeError.h"

#include <algorithm>

namespace qel::forms {

void DrawingSurface::AutoRedraw(bool on) {
    if (on == autoRedraw_) return;
    autoRedraw_ = on;
    image_.reset();
    FitImage();
    Invalidate();
}

HDC DrawingSurface::hDC() {
    if (autoRedraw_) return image_->dc();
    HDC dc = GetDC(ClientWindow()); // the class's own context: nothing to release
    PrepareDc(dc);
    return dc;
}

void DrawingSurface::PrepareDc(HDC dc) const {
    SetTextColor(dc, ToRgb(fore_));
    SetBkColor(dc, back_.Rgb());
}

void DrawingSurface::Cls() {
    if (autoRedraw_) {
        RECT all{0, 0, image_->width(), image_->height()};
        PaintPlainBackground(image_->dc(), all);
    }
    Invalidate();
}

void DrawingSurface::BackColor(OleColor colour) {
    back_.Set(colour);
    Cls();
}

void DrawingSurface::ForeColor(OleColor colour) {
    Container::ForeColor(colour);
    if (autoRedraw_) PrepareDc(image_->dc());
}

void DrawingSurface::FitImage() {
    if (!autoRedraw_) return;
    RECT client{};
    GetClientRect(ClientWindow(), &client);
    int w = std::max<int>(client.right, 1), h = std::max<int>(client.bottom, 1);
    if (image_) {
        if (w <= image_->width() && h <= image_->height()) return;
        w = std::max(w, image_->width());
        h = std::max(h, image_->height());
    }
    WindowDC screen = WindowDC::Client(ClientWindow());
    auto grown = std::make_unique<MemorySurface>(screen.get(), w, h);
    RECT all{0, 0, w, h};
    PaintPlainBackground(grown->dc(), all);
    if (image_)
        BitBlt(grown->dc(), 0, 0, image_->width(), image_->height(), image_->dc(), 0, 0, SRCCOPY);
    image_ = std::move(grown);
    PrepareDc(image_->dc());
}

void DrawingSurface::PaintPlainBackground(HDC dc, const RECT& area) {
    FillRect(dc, &area, back_.Brush());
    if (IPictureDisp* picture = BackgroundPicture()) {
        SIZE size = PictureSize(picture);
        RenderPicture(picture, dc, {0, 0, size.cx, size.cy});
    }
}

void DrawingSurface::PaintBackground(HDC dc, const RECT& area) {
    if (!autoRedraw_) return PaintPlainBackground(dc, area);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, image_->dc(),
           area.left, area.top, SRCCOPY);
}

HRESULT DrawingSurface::InvokeSurface(DispatchCall& call, bool& handled) {
    handled = true;
    switch (call.Id()) {
    case DISPID_FORMS_SCALEMODE:
        return call.Property<short>([&] { return static_cast<short>(scale_); },
                                    [&](short v) {
                                        if (v != 1 && v != 3)
                                            throw RuntimeError(kInvalidPropertyValue,
                                                               "Invalid property value");
                                        ScaleMode(static_cast<Scale>(v));
                                    });
    case DISPID_FORMS_SCALEWIDTH:
        return call.ReadOnly<float>([&] { return ScaleWidth(); });
    case DISPID_FORMS_SCALEHEIGHT:
        return call.ReadOnly<float>([&] { return ScaleHeight(); });
    case DISPID_FORMS_AUTOREDRAW:
        return call.Property<bool>([&] { return autoRedraw_; }, [&](bool v) { AutoRedraw(v); });
    case DISPID_FORMS_HDC:
        return call.ReadOnly<long>([&] { return HandleToLong(hDC()); });
    case DISPID_FORMS_CLS:
        return call.Method([&] { Cls(); });
    }
    handled = false;
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace qel::forms
