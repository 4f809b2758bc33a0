// An option button: choosing it (by a click or by setting Value True in code)
// clears the other option buttons of its container and raises OnClick.
#pragma once
#include "forms/CaptionedControl.h"

#include <functional>

namespace qel::forms {

class OptionButton final : public CaptionedControl {
public:
    OptionButton(Container& container, std::string name)
        : CaptionedControl(container, std::move(name), kButtonFace, kButtonText) {}

    bool Value() const { return value_; }
    void Value(bool value);

    std::function<void()> OnClick;

protected:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return BS_RADIOBUTTON | WS_TABSTOP; }
    void Command(WORD code) override;
    const IID& DispatchIid() const override { return DIID__OptionButton; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    void Mark(bool value);

    bool value_ = false;
};

} // namespace qel::forms
