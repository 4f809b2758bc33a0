// The module (program or library) that holds the calling code.
#pragma once
#include <windows.h>

#include <string>

namespace qel {

// The module this code is linked into: the library when it runs as the
// control library, the program when it is linked into one.
HMODULE CodeModule();

// The full path of `module`'s file, however long.
std::wstring ModuleFileName(HMODULE module);

} // namespace qel
