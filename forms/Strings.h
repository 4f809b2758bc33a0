// Text of the forms layer: window text, and base's ANSI and wide conversions.
#pragma once
#include "base/WideText.h"

#include <windows.h>
#include <string>

namespace qel::forms {

using qel::Narrow;
using qel::Widen;

// The text of a window.
inline std::string WindowText(HWND hwnd) {
    std::string text(GetWindowTextLengthA(hwnd) + 1, '\0');
    text.resize(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

} // namespace qel::forms
