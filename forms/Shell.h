// Opening a document or a web address with the program the system has for it,
// through a seam (tests, and machines without such a program, answer in code).
#pragma once
#include "forms/Seam.h"

#include <functional>
#include <string>

namespace qel::forms {

// Asks the shell to open `target` (a file or an address), with no owner window and
// the normal show command. Whether it could is not reported.
void ShellOpen(const std::string& target);

// Takes the targets instead of the shell while it exists.
using ShellSeam = Seam<struct ShellTag, std::function<void(const std::string& target)>>;

} // namespace qel::forms
