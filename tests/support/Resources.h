// Counts of the process's GDI and USER objects, for leak checks.
#pragma once
#include <windows.h>

namespace qel::test {

// GetGuiResources where the platform implements it; under Wine (where it
// answers 0) the live, non-stock entries of the process's GDI handle table.
DWORD GdiObjectCount();
// GetGuiResources where implemented; otherwise the process's windows, top-level
// and child (menus and hooks are checked directly by the tests that make them).
DWORD UserObjectCount();

} // namespace qel::test
