// A label: a caption (wrapped at the label's width) in the fore colour on the back colour.
#pragma once
#include "forms/WindowControl.h"

namespace qel::forms {

class Label final : public WindowControl {
public:
    Label(Container& container, std::string name)
        : WindowControl(container, std::move(name), kButtonFace, kButtonText) {}

    std::string Caption() const;
    void Caption(const std::string& caption);

protected:
    const char* ClassName() const override { return "STATIC"; }
    DWORD Style() const override { return SS_LEFT; }
    const IID& DispatchIid() const override { return DIID__Label; }
    HRESULT Invoke(DispatchCall& call) override;
};

} // namespace qel::forms
