#include "forms/RuntimeError.h"
#include "forms/App.h"
#include "forms/MsgBox.h"

namespace qel::forms {

void ReportError(const std::exception& error) {
    long number = 0;
    if (auto* runtime = dynamic_cast<const RuntimeError*>(&error)) number = runtime->Number();
    std::string text = number ? "Run-time error '" + std::to_string(number) + "':\n\n" : "";
    MsgBox(text + error.what(), MB_OK | MB_ICONEXCLAMATION, App::Title());
}

void ReportUnknownError() {
    MsgBox("Unexpected error", MB_OK | MB_ICONEXCLAMATION, App::Title());
}

} // namespace qel::forms
