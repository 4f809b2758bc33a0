#include "forms/CommandButton.h"
#include "forms/Strings.h"

namespace qel::forms {

std::string CommandButton::Caption() const {
    return WindowText(hWnd());
}

void CommandButton::Caption(const std::string& caption) {
    SetWindowTextA(hWnd(), caption.c_str());
}

void CommandButton::Command(WORD code) {
    if (code == BN_CLICKED) Raise(OnClick);
}

HRESULT CommandButton::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_CAPTION)
        return call.Property<std::string>([&] { return Caption(); },
                                          [&](std::string c) { Caption(c); });
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
