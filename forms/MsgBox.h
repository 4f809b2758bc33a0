// Message boxes through a seam, so that tests answer them without a person.
#pragma once
#include "forms/Seam.h"

#include <windows.h>
#include <functional>
#include <string>

namespace qel::forms {

// Shows a message box (MB_ button and icon flags) owned by the active window and
// returns the answer (IDOK, IDYES, ...). The title defaults to the program's.
int MsgBox(const std::string& prompt, UINT buttons = MB_OK, const std::string& title = {});

// Answers message boxes instead of the user while it exists; the handler gets the
// prompt, the flags and the title and returns the answer.
using MsgBoxSeam =
    Seam<struct MsgBoxTag, std::function<int(const std::string&, UINT, const std::string&)>>;

} // namespace qel::forms
