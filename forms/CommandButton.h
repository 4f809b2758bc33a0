// A push button. Its back colour is kept (and offered to automation clients) but,
// as with the platform's standard buttons, not drawn; it has no fore colour.
#pragma once
#include "forms/CaptionedControl.h"

#include <functional>

namespace qel::forms {

class CommandButton final : public CaptionedControl {
public:
    CommandButton(Container& container, std::string name)
        : CaptionedControl(container, std::move(name), kButtonFace, kButtonText) {}

    std::function<void()> OnClick;

protected:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return BS_PUSHBUTTON | WS_TABSTOP; }
    void Command(WORD code) override {
        if (code == BN_CLICKED) Raise(OnClick);
    }
    HBRUSH ColorRequest(HDC) override { return nullptr; }
    const IID& DispatchIid() const override { return DIID__CommandButton; }
};

} // namespace qel::forms
