// A one-line text box. Every change of its text, typed or set in code, raises
// OnChange; OnKeyPress sees each typed character first and may change it or
// cancel it (by setting it to 0). OnGotFocus follows the text box taking the
// focus. SelStart and SelLength are the selection, in characters.
#pragma once
#include "forms/WindowControl.h"

#include <functional>

namespace qel::forms {

class TextBox final : public WindowControl {
public:
    TextBox(Container& container, std::string name)
        : WindowControl(container, std::move(name), kWindowBackground, kWindowText) {}

    std::string Text() const;
    void Text(const std::string& text);
    long SelStart() const;
    // Places the caret (an empty selection) at `start`, clamped to the text.
    void SelStart(long start);
    long SelLength() const;
    // Selects `length` characters from SelStart, clamped to the text.
    void SelLength(long length);

    std::function<void()> OnChange;
    std::function<void(int& keyAscii)> OnKeyPress;
    std::function<void()> OnGotFocus;

protected:
    const char* ClassName() const override { return "EDIT"; }
    DWORD Style() const override { return ES_AUTOHSCROLL | WS_TABSTOP; }
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Command(WORD code) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__TextBox; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    bool settingText_ = false;
};

} // namespace qel::forms
