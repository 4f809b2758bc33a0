// Real input for visible-window tests: the cursor and SendInput mouse and keys.
#pragma once
#include <windows.h>
#include <initializer_list>

namespace qel::test {

// Moves the cursor to a screen point as real (absolute) mouse input.
void MouseMove(int x, int y);
// Presses the left button where the cursor is: a single press, once the
// double-click time since a press there has passed.
void MouseDown();
void MouseUp();
// Moves to (x, y), presses and releases the left button.
void Click(int x, int y);
// Clicks twice at (x, y), as a hand double-clicks.
void DoubleClick(int x, int y);
// Presses the left button at `from`, moves in `steps` to `to`, releases there.
// Runs on the calling thread, pausing between steps; call it from a second
// thread when the press starts a modal loop on the window's thread.
void Drag(POINT from, POINT to, int steps = 10, DWORD pauseMs = 15);

void KeyDown(WORD vk);
void KeyUp(WORD vk);
// Presses the keys in order and releases them in reverse order (a chord such as Alt+F).
void KeyChord(std::initializer_list<WORD> keys);

} // namespace qel::test
