#include "forms/CheckBox.h"
#include "forms/RuntimeError.h"

namespace qel::forms {

void CheckBox::Value(short value) {
    if (value < 0 || value > 2) throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    if (value == value_) return;
    value_ = value;
    SendMessageA(hWnd(), BM_SETCHECK,
                 value == 1   ? BST_CHECKED
                 : value == 2 ? BST_INDETERMINATE
                              : BST_UNCHECKED,
                 0);
    Raise(OnClick);
}

void CheckBox::Command(WORD code) {
    if (code == BN_CLICKED) Value(value_ == 1 ? 0 : 1);
}

HRESULT CheckBox::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_VALUE)
        return call.Property<short>([&] { return value_; }, [&](short v) { Value(v); });
    return CaptionedControl::Invoke(call);
}

} // namespace qel::forms
