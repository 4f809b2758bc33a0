// A label: a caption (wrapped at the label's width) in the fore colour, on the
// back colour or, when transparent, over what its container shows behind it (the
// container's drawing included); regular or bold. It raises the mouse events,
// with positions in its container's scale.
#pragma once
#include "forms/CaptionedControl.h"
#include "forms/DrawnControl.h"

namespace qel::forms {

class Label final : public DrawnControl<CaptionedControl> {
public:
    Label(Container& container, std::string name)
        : DrawnControl(container, std::move(name), kButtonFace, kButtonText) {}

    bool Transparent() const { return transparent_; }
    void Transparent(bool transparent);
    bool Bold() const { return bold_; }
    void Bold(bool bold);

protected:
    const char* ClassName() const override;
    void Draw(HDC dc, const RECT& client) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__Label; }

private:
    bool transparent_ = false;
    bool bold_ = false;
};

} // namespace qel::forms
