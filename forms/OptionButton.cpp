#include "forms/OptionButton.h"
#include "forms/Strings.h"

namespace qel::forms {

std::string OptionButton::Caption() const {
    return WindowText(hWnd());
}

void OptionButton::Caption(const std::string& caption) {
    SetWindowTextA(hWnd(), caption.c_str());
}

void OptionButton::Mark(bool value) {
    value_ = value;
    SendMessageA(hWnd(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::Value(bool value) {
    if (value == value_) return;
    Mark(value);
    if (!value) return;
    for (Control* sibling : ParentContainer().Children())
        if (auto* option = dynamic_cast<OptionButton*>(sibling); option && option != this)
            option->Mark(false);
    Raise(OnClick);
}

void OptionButton::Command(WORD code) {
    if (code == BN_CLICKED) Value(true);
}

HRESULT OptionButton::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_CAPTION:
        return call.Property<std::string>([&] { return Caption(); },
                                          [&](std::string c) { Caption(c); });
    case DISPID_FORMS_VALUE:
        return call.Property<bool>([&] { return value_; }, [&](bool v) { Value(v); });
    }
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
