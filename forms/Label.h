// A label: a caption (wrapped at the label's width) in the fore colour on the back colour.
#pragma once
#include "forms/CaptionedControl.h"

namespace qel::forms {

class Label final : public CaptionedControl {
public:
    Label(Container& container, std::string name)
        : CaptionedControl(container, std::move(name), kButtonFace, kButtonText) {}

protected:
    const char* ClassName() const override { return "STATIC"; }
    DWORD Style() const override { return SS_LEFT; }
    const IID& DispatchIid() const override { return DIID__Label; }
};

} // namespace qel::forms
