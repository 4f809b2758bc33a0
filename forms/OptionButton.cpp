#include "forms/OptionButton.h"

namespace qel::forms {

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
    if (call.Id() == DISPID_FORMS_VALUE)
        return call.Property<bool>([&] { return value_; }, [&](bool v) { Value(v); });
    return CaptionedControl::Invoke(call);
}

} // namespace qel::forms
