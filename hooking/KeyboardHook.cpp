#include "hooking/KeyboardHook.h"
#include "base/Handle.h"
#include "hooking/cNCCalcSize.h"

#include <algorithm>
#include <vector>

namespace qel {
namespace {

struct HookState {
    UniqueHook hook;
    std::vector<cNCCalcSize*> clients; // not counted: each client removes itself
};

thread_local HookState t_hook;

bool IsAltKeyCandidate(int nCode, WPARAM vk, LPARAM flags) {
    const auto bits = static_cast<ULONG_PTR>(flags);
    return nCode == HC_ACTION && t_hook.hook && (bits & 0x20000000) && vk > 0 && vk != VK_MENU &&
           !(bits & 0x80000000) && GetAsyncKeyState(VK_CONTROL) == 0 &&
           !(vk >= VK_F1 && vk <= VK_F12) && vk != VK_ESCAPE && vk != VK_DELETE;
}

} // namespace

void AddNCHookClient(cNCCalcSize* client) {
    if (!t_hook.hook)
        t_hook.hook.reset(
            SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, nullptr, GetCurrentThreadId()));
    if (client && !FindNCHookClient(client)) t_hook.clients.push_back(client);
}

long FindNCHookClient(const cNCCalcSize* client) {
    auto it = std::find(t_hook.clients.begin(), t_hook.clients.end(), client);
    return it == t_hook.clients.end() ? 0 : static_cast<long>(it - t_hook.clients.begin()) + 1;
}

void RemoveNCHookClient(cNCCalcSize* client) {
    if (long i = FindNCHookClient(client)) t_hook.clients.erase(t_hook.clients.begin() + (i - 1));
    if (t_hook.clients.empty()) t_hook.hook.reset();
}

bool KeyboardHookInstalled() {
    return static_cast<bool>(t_hook.hook);
}

bool DispatchAltKey(ComPtr<cNCCalcSize>& client) {
    for (size_t i = 0; i < t_hook.clients.size(); ++i) {
        ComPtr<cNCCalcSize> candidate(t_hook.clients[i]);
        if (candidate && candidate->IsWindowActive()) {
            client = candidate;
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    try {
        ComPtr<cNCCalcSize> client;
        if (IsAltKeyCandidate(nCode, wParam, lParam) && DispatchAltKey(client) &&
            client->ProcessAltKey(static_cast<long>(wParam)) != 0)
            return 1;
    } catch (...) {
    }
    return CallNextHookEx(t_hook.hook.get(), nCode, wParam, lParam);
}

} // namespace qel
