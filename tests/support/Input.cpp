#include "tests/support/Input.h"

#include <vector>

namespace qel::test {
namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

void SendKey(WORD vk, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

} // namespace

// An absolute move in the normalised 0..65535 coordinates of the primary
// screen, rounded up so that the platform's scaling lands on the pixel. Under
// Wine the move is echoed back by the X server a moment later and an echo of an
// earlier move can land after a newer one, so the move is repeated until the
// cursor stays where it was sent.
void MouseMove(int x, int y) {
    const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    auto at = [&] {
        POINT p;
        GetCursorPos(&p);
        return p.x == x && p.y == y;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (x * 65536 + w - 1) / w,
                  (y * 65536 + h - 1) / h);
        Sleep(15);
        if (at()) {
            Sleep(15);
            if (at()) return;
        }
    }
}

void MouseDown() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}
void MouseUp() {
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void Click(int x, int y) {
    MouseMove(x, y);
    MouseDown();
    MouseUp();
}

void Drag(POINT from, POINT to, int steps, DWORD pauseMs) {
    MouseMove(from.x, from.y);
    Sleep(pauseMs);
    MouseDown();
    Sleep(pauseMs);
    for (int i = 1; i <= steps; ++i) {
        MouseMove(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        Sleep(pauseMs);
    }
    MouseUp();
    Sleep(pauseMs);
}

void KeyDown(WORD vk) {
    SendKey(vk, 0);
}
void KeyUp(WORD vk) {
    SendKey(vk, KEYEVENTF_KEYUP);
}

void KeyChord(std::initializer_list<WORD> keys) {
    for (WORD k : keys)
        KeyDown(k);
    std::vector<WORD> reversed(keys.begin(), keys.end());
    for (auto it = reversed.rbegin(); it != reversed.rend(); ++it)
        KeyUp(*it);
}

} // namespace qel::test
