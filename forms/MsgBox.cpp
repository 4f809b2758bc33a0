#include "forms/MsgBox.h"
#include "forms/App.h"

namespace qel::forms {

int MsgBox(const std::string& prompt, UINT buttons, const std::string& title) {
    const std::string& caption = title.empty() ? App::Title() : title;
    if (auto& handler = MsgBoxSeam::Current()) return handler(prompt, buttons, caption);
    return MessageBoxA(GetActiveWindow(), prompt.c_str(), caption.c_str(), buttons);
}

} // namespace qel::forms
