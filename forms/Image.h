// An image: a picture shown over its container's background (transparent parts
// of icons and GIFs show the container). Without Stretch the image takes the
// picture's size; with Stretch the picture is drawn to the image's size. A border
// is a flat single black line around the picture. It raises the mouse events,
// with positions in its container's scale.
#pragma once
#include "forms/MouseEvents.h"
#include "forms/Picture.h"
#include "forms/WindowControl.h"

namespace qel::forms {

class Image final : public WindowControl, public MouseEvents {
public:
    Image(Container& container, std::string name)
        : WindowControl(container, std::move(name), kButtonFace, kButtonText) {}

    const forms::Picture& Picture() const { return picture_; }
    void Picture(forms::Picture picture);
    bool Stretch() const { return stretch_; }
    void Stretch(bool stretch);
    bool Bordered() const { return bordered_; }
    void Bordered(bool bordered);

protected:
    const char* ClassName() const override;
    DWORD Style() const override { return 0; }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__Image; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    void FitToPicture();
    void Paint(HDC dc);

    forms::Picture picture_;
    bool stretch_ = false;
    bool bordered_ = false;
};

} // namespace qel::forms
