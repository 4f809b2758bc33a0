#include "forms/MsgBox.h"
#include "forms/App.h"

#include <utility>

namespace qel::forms {
namespace {

MsgBoxSeam::Handler& CurrentHandler() {
    static MsgBoxSeam::Handler handler;
    return handler;
}

} // namespace

int MsgBox(const std::string& prompt, UINT buttons, const std::string& title) {
    const std::string& caption = title.empty() ? App::Title() : title;
    if (auto& handler = CurrentHandler()) return handler(prompt, buttons, caption);
    return MessageBoxA(GetActiveWindow(), prompt.c_str(), caption.c_str(), buttons);
}

MsgBoxSeam::MsgBoxSeam(Handler handler) : previous_(std::exchange(CurrentHandler(), handler)) {}

MsgBoxSeam::~MsgBoxSeam() {
    CurrentHandler() = std::move(previous_);
}

} // namespace qel::forms
