#include "forms/CaptionedControl.h"
#include "forms/Strings.h"

namespace qel::forms {

std::string CaptionedControl::Caption() const {
    return WindowText(hWnd());
}

void CaptionedControl::Caption(const std::string& caption) {
    SetWindowTextA(hWnd(), caption.c_str());
}

HRESULT CaptionedControl::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_CAPTION)
        return call.Property<std::string>([&] { return Caption(); },
                                          [&](std::string c) { Caption(c); });
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
