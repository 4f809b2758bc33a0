// A container that measures in its own scale and can keep what is drawn on it
// (AutoRedraw): a form or a picture box. With AutoRedraw on, hDC is an off-screen
// image the size of the client area (it grows with it and keeps its content),
// painted to the window whenever it needs painting; Cls clears it to the back
// colour and the picture.
#pragma once
#include "base/ComPtr.h"
#include "base/Handle.h"
#include "forms/Container.h"
#include "forms/DispatchCall.h"

#include <ocidl.h>
#include <memory>

namespace qel::forms {

class DrawingSurface : public Container {
public:
    Scale ScaleMode() const override { return scale_; }
    void ScaleMode(Scale scale) { scale_ = scale; }

    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool on);
    // The device context to draw on: the kept image with AutoRedraw, else the
    // window's own (the window classes of surfaces own their device contexts).
    HDC hDC();
    // Clears what was drawn: back colour and picture.
    void Cls();

    using Container::BackColor;
    using Container::ForeColor;
    void BackColor(OleColor colour) override;
    void ForeColor(OleColor colour) override;

    void PaintBackground(HDC dc, const RECT& area) override;

protected:
    DrawingSurface(OleColor back, OleColor fore) : Container(back, fore) {}

    // The picture drawn at the top-left corner under what is drawn (none by default).
    virtual IPictureDisp* BackgroundPicture() const { return nullptr; }
    // Paints back colour and picture, without what was drawn.
    void PaintPlainBackground(HDC dc, const RECT& area);
    // Grows the kept image to the client area (on WM_SIZE).
    void FitImage();
    // Surface members (ScaleMode, ScaleWidth, ScaleHeight, AutoRedraw, hDC, Cls).
    HRESULT InvokeSurface(DispatchCall& call, bool& handled);
    // Prepares a device context for drawing with the fore colour.
    void PrepareDc(HDC dc) const;

private:
    Scale scale_ = Scale::Twips;
    bool autoRedraw_ = false;
    std::unique_ptr<MemorySurface> image_; // with AutoRedraw
};

} // namespace qel::forms
