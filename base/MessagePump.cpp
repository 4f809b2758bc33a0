#include "base/MessagePump.h"

#include <utility>
#include <windows.h>

namespace qel {
namespace {

thread_local int holds = 0;

} // namespace

InputHold::InputHold() {
    ++holds;
}

InputHold::~InputHold() {
    --holds;
}

InputHold::Lift::Lift() : lifted_(std::exchange(holds, 0)) {}

InputHold::Lift::~Lift() {
    holds = lifted_;
}

void DoEvents() {
    const UINT kinds = holds ? PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT : 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | kinds)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace qel
