#include "renderer/MenuHook.h"
#include "base/Handle.h"
#include "renderer/Qel_SkinMenu.h"

namespace qel {
namespace {

struct MenuHookState {
    UniqueHook hook;
    Qel_SkinMenu* tracker = nullptr; // not counted: cleared with the hook
};

thread_local MenuHookState t_menuHook;

} // namespace

void InstallMenuHook(Qel_SkinMenu* tracker) {
    RemoveMenuHook();
    t_menuHook.tracker = tracker;
    t_menuHook.hook.reset(
        SetWindowsHookExA(WH_MSGFILTER, MenuFilterHookProc, nullptr, GetCurrentThreadId()));
}

void RemoveMenuHook() {
    t_menuHook.hook.reset();
    t_menuHook.tracker = nullptr;
}

void ReleaseMenuHook(const Qel_SkinMenu* tracker) {
    if (t_menuHook.tracker == tracker) RemoveMenuHook();
}

bool MenuHookInstalled() {
    return static_cast<bool>(t_menuHook.hook);
}

LRESULT CALLBACK MenuFilterHookProc(int code, WPARAM wParam, LPARAM lParam) {
    try {
        if (code == MSGF_MENU && t_menuHook.tracker && lParam) {
            ComPtr<Qel_SkinMenu> tracker(t_menuHook.tracker);
            const MSG msg = *reinterpret_cast<const MSG*>(lParam);
            if (tracker->FilterMessage(msg)) return 1;
        }
    } catch (...) {
    }
    return CallNextHookEx(t_menuHook.hook.get(), code, wParam, lParam);
}

} // namespace qel
