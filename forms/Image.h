// An image: a picture shown over its container's background (transparent parts
// of icons and GIFs show the container). Without Stretch the image takes the
// picture's size; with Stretch the picture is drawn to the image's size. A border
// is a flat single black line around the picture. It raises the mouse events,
// with positions in its container's scale.
#pragma once
#include "forms/DrawnControl.h"
#include "forms/Picture.h"

namespace qel::forms {

class Image final : public DrawnControl<WindowControl> {
public:
    Image(Container& container, std::string name)
        : DrawnControl(container, std::move(name), kButtonFace, kButtonText) {}

    const forms::Picture& Picture() const { return picture_; }
    void Picture(forms::Picture picture);
    bool Stretch() const { return stretch_; }
    void Stretch(bool stretch);
    bool Bordered() const { return bordered_; }
    void Bordered(bool bordered);

protected:
    const char* ClassName() const override;
    void Draw(HDC dc, const RECT& client) override;
    const IID& DispatchIid() const override { return DIID__Image; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    void FitToPicture();

    forms::Picture picture_;
    bool stretch_ = false;
    bool bordered_ = false;
};

} // namespace qel::forms
