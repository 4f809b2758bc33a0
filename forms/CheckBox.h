// A check box with Value 0 (unticked), 1 (ticked) or 2 (grey). A click ticks or
// unticks it; every change of Value, by the user or by code, raises OnClick.
#pragma once
#include "forms/CaptionedControl.h"

#include <functional>

namespace qel::forms {

class CheckBox final : public CaptionedControl {
public:
    CheckBox(Container& container, std::string name)
        : CaptionedControl(container, std::move(name), kButtonFace, kButtonText) {}

    short Value() const { return value_; }
    void Value(short value);

    std::function<void()> OnClick;

protected:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return BS_CHECKBOX | WS_TABSTOP; }
    void Command(WORD code) override;
    const IID& DispatchIid() const override { return DIID__CheckBox; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    short value_ = 0;
};

} // namespace qel::forms
