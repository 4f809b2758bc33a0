#include "forms/Shell.h"

#include <windows.h>
#include <shellapi.h>

namespace qel::forms {

void ShellOpen(const std::string& target) {
    if (auto& handler = ShellSeam::Current()) return handler(target);
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace qel::forms
