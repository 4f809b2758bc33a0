#include "forms/Label.h"
#include "forms/Strings.h"

namespace qel::forms {

std::string Label::Caption() const {
    return WindowText(hWnd());
}

void Label::Caption(const std::string& caption) {
    SetWindowTextA(hWnd(), caption.c_str());
}

HRESULT Label::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_CAPTION)
        return call.Property<std::string>([&] { return Caption(); },
                                          [&](std::string c) { Caption(c); });
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
