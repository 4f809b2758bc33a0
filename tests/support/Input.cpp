#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

#include <cstdlib>
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

// Mouse input at a screen point, in the normalised 0..65535 coordinates of the
// primary screen, rounded up so that the platform's scaling lands on the pixel.
void SendMouseAt(DWORD flags, int x, int y) {
    const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    SendMouse(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (x * 65536 + w - 1) / w,
              (y * 65536 + h - 1) / h);
}

void SendKey(WORD vk, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

// A press at a point, where and when recorded for the next.
POINT lastPress{-100, -100};
DWORD lastPressAt = 0;
void Press(POINT at) {
    lastPress = at;
    lastPressAt = GetTickCount();
    SendMouseAt(MOUSEEVENTF_LEFTDOWN, at.x, at.y);
}

} // namespace

// Under Wine the X server echoes each move back, and an echo of an earlier move
// can land after a newer one; nothing marks the last, so the move is held 15 ms
// at its point twice (dispatching when the window is this thread's) and sent
// again until the cursor stays there.
void MouseMove(int x, int y) {
    const bool own =
        GetWindowThreadProcessId(WindowFromPoint({x, y}), nullptr) == GetCurrentThreadId();
    auto settled = [&] {
        own ? PumpFor(15) : Sleep(15);
        POINT p;
        GetCursorPos(&p);
        return p.x == x && p.y == y;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        SendMouseAt(0, x, y);
        if (settled() && settled()) return;
    }
}

// A press near the last one within the double-click time would make a
// double-click: it waits that time out, the platform's own, which nothing marks.
void MouseDown() {
    POINT p;
    GetCursorPos(&p);
    const DWORD since = GetTickCount() - lastPressAt;
    if (abs(p.x - lastPress.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        abs(p.y - lastPress.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && since <= GetDoubleClickTime())
        Sleep(GetDoubleClickTime() + 1 - since);
    Press(p);
}
void MouseUp() {
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void Click(int x, int y) {
    MouseMove(x, y);
    MouseDown();
    MouseUp();
}

// The second press comes a moment after the first, as from a hand: a loop that
// the first press starts (a frame's, a list's) would take a second press that
// comes before it has taken the release, and nothing marks when it has. The
// second press goes to the first one's point, wherever the first moved the
// cursor (a frame nudges it, and under load Wine can make a nudge two pixels,
// outside the double-click rectangle).
void DoubleClick(int x, int y) {
    Click(x, y);
    Sleep(50);
    Press({x, y});
    MouseUp();
}

// The pauses pace the drag as a hand does: nothing marks a step as taken.
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
