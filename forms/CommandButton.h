// A push button. Its back colour is kept (and offered to automation clients) but,
// as with the platform's standard buttons, not drawn; it has no fore colour.
#pragma once
#include "forms/WindowControl.h"

#include <functional>

namespace qel::forms {

class CommandButton final : public WindowControl {
public:
    CommandButton(Container& container, std::string name)
        : WindowControl(container, std::move(name), kButtonFace, kButtonText) {}

    std::string Caption() const;
    void Caption(const std::string& caption);

    std::function<void()> OnClick;

protected:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return BS_PUSHBUTTON | WS_TABSTOP; }
    void Command(WORD code) override;
    HBRUSH ColorRequest(HDC) override { return nullptr; }
    const IID& DispatchIid() const override { return DIID__CommandButton; }
    HRESULT Invoke(DispatchCall& call) override;
};

} // namespace qel::forms
