// The per-thread keyboard hook that offers Alt+key presses to the skinned
// window that is active. Its clients are the non-client area modifiers attached
// on the thread; the hook lives while there is at least one.
#pragma once
#include "base/ComPtr.h"

#include <windows.h>

namespace qel {

class cNCCalcSize;

// Registers a client (once), installing the hook for the first one.
void AddNCHookClient(cNCCalcSize* client);
// The 1-based position of a client in the list, or 0.
long FindNCHookClient(const cNCCalcSize* client);
// Unregisters a client; the last one removes the hook.
void RemoveNCHookClient(cNCCalcSize* client);
// True while this thread's hook is installed.
bool KeyboardHookInstalled();

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
// Finds the first client whose window is active.
bool DispatchAltKey(ComPtr<cNCCalcSize>& client);

} // namespace qel
