#include "tests/forms/ModalWatchdog.h"
#include "forms/Form.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qel::forms::test {
namespace {

// The armed watchdog of the windows' thread (thread timers carry no context).
thread_local ModalWatchdog* current = nullptr;

std::string Describe(HWND hwnd) {
    char cls[64] = {}, text[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, text, sizeof text);
    return std::string(cls) + " \"" + text + "\"";
}

// Where a lost click went: the cursor, the window under it, the one in front.
std::string Scene() {
    POINT p{};
    GetCursorPos(&p);
    return "cursor at " + std::to_string(p.x) + "," + std::to_string(p.y) + " over " +
           Describe(WindowFromPoint(p)) + ", in front " + Describe(GetForegroundWindow());
}

} // namespace

ModalWatchdog::ModalWatchdog(DWORD graceMs)
    : grace_(graceMs), timer_(SetTimer(nullptr, 0, 250, &Tick)) {
    current = this;
}

ModalWatchdog::~ModalWatchdog() {
    current = nullptr;
    if (timer_) KillTimer(nullptr, timer_);
}

void ModalWatchdog::InputEnded() {
    endedAt_ = GetTickCount();
    ended_ = true;
}

void CALLBACK ModalWatchdog::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current) current->Check();
}

void ModalWatchdog::Check() {
    if (!ended_ || GetTickCount() - endedAt_ < grace_) return;
    try {
        ADD_FAILURE() << "the input has ended but a modal loop still runs (" << Scene()
                      << "): closing the forms in front";
        EndMenu();
        // A modal form disables the others, so the enabled visible ones are in front.
        const std::vector<Form*> forms = Form::LoadedForms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            Form* form = *it;
            if (!form->Host() && IsWindowVisible(form->hWnd()) && IsWindowEnabled(form->hWnd()))
                if (!form->Unload()) form->Hide();
        }
    } catch (...) {
        ADD_FAILURE() << "closing the forms failed";
    }
    // Another round only after another grace period (an outer loop may remain).
    endedAt_ = GetTickCount();
}

} // namespace qel::forms::test
