#include "forms/TextBox.h"
#include "base/ReentryGuard.h"
#include "forms/RuntimeError.h"
#include "forms/Strings.h"

#include <algorithm>

namespace qel::forms {

std::string TextBox::Text() const {
    return WindowText(hWnd());
}

void TextBox::Text(const std::string& text) {
    if (text == Text()) return;
    {
        const ReentryGuard setting(settingText_); // one Change for the whole assignment
        SetWindowTextA(hWnd(), text.c_str());
    }
    Raise(OnChange);
}

namespace {

void CheckNotNegative(long v) {
    if (v < 0) throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
}

} // namespace

long TextBox::SelStart() const {
    DWORD start = 0;
    SendMessageA(hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<long>(start);
}

void TextBox::SelStart(long start) {
    CheckNotNegative(start);
    start = std::min<long>(start, GetWindowTextLengthA(hWnd()));
    SendMessageA(hWnd(), EM_SETSEL, start, start);
}

long TextBox::SelLength() const {
    DWORD start = 0, end = 0;
    SendMessageA(hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<long>(end - start);
}

void TextBox::SelLength(long length) {
    CheckNotNegative(length);
    const long start = SelStart();
    const long end = std::min<long>(start + length, GetWindowTextLengthA(hWnd()));
    SendMessageA(hWnd(), EM_SETSEL, start, end);
}

void TextBox::Command(WORD code) {
    if (code == EN_CHANGE && !settingText_) Raise(OnChange);
}

LRESULT TextBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS) {
        LRESULT result = WindowControl::HandleMessage(msg, wParam, lParam);
        Raise(OnGotFocus);
        return result;
    }
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
