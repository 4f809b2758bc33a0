// The per-thread menu filter hook (WH_MSGFILTER) that passes a menu loop's
// messages to the popup tracker whose popup is open. It lives only around each
// popup's tracking.
#pragma once
#include <windows.h>

namespace qel {

class Qel_SkinMenu;

// Installs the hook for `tracker` (held without a counted reference), removing
// any earlier one first.
void InstallMenuHook(Qel_SkinMenu* tracker);
// Removes the hook, if any.
void RemoveMenuHook();
// Removes the hook when it serves `tracker` (the tracker is going away).
void ReleaseMenuHook(const Qel_SkinMenu* tracker);
// True while this thread's hook is installed.
bool MenuHookInstalled();

LRESULT CALLBACK MenuFilterHookProc(int code, WPARAM wParam, LPARAM lParam);

} // namespace qel
