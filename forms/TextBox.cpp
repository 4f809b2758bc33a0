#include "forms/TextBox.h"
#include "forms/Strings.h"

namespace qel::forms {

std::string TextBox::Text() const {
    return WindowText(hWnd());
}

void TextBox::Text(const std::string& text) {
    if (text == Text()) return;
    settingText_ = true; // one Change for the whole assignment
    SetWindowTextA(hWnd(), text.c_str());
    settingText_ = false;
    Raise(OnChange);
}

void TextBox::Command(WORD code) {
    if (code == EN_CHANGE && !settingText_) Raise(OnChange);
}

LRESULT TextBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR) {
        int key = static_cast<int>(wParam);
        Raise(OnKeyPress, key);
        if (key == 0) return 0;
        wParam = static_cast<WPARAM>(key);
    }
    return WindowControl::HandleMessage(msg, wParam, lParam);
}

HRESULT TextBox::Invoke(DispatchCall& call) {
    if (call.Id() == DISPID_FORMS_TEXT)
        return call.Property<std::string>([&] { return Text(); }, [&](std::string t) { Text(t); });
    return WindowControl::Invoke(call);
}

} // namespace qel::forms
