// Plain top-level windows for tests, and waiting while messages are pumped.
#pragma once
#include "base/Handle.h"

#include <functional>

namespace qel::test {

// Registers the window class `name` (once) with `proc`, the arrow cursor and the
// system colour `background`; returns `name`.
const char* TestWindowClass(const char* name, WNDPROC proc, int background = COLOR_WINDOW);

// A top-level overlapped window of a plain class (DefWindowProc), owned by the
// test; `visible` shows it at (x, y) and brings it to the front.
UniqueWindow MakeWindow(int x, int y, int w, int h, bool visible = false,
                        DWORD style = WS_OVERLAPPEDWINDOW, const char* title = "Test window");

// Dispatches the thread's messages for `ms` milliseconds: only where nothing
// can be waited for (a pause that shows nothing happens, pacing).
void PumpFor(DWORD ms);
// Dispatches messages until `done` is true or `timeoutMs` has passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
// Dispatches messages until none waits for this thread and none of its windows
// has anything left to paint (what they show is then on the screen).
bool PumpUntilIdle(DWORD timeoutMs = 3000);

// Polls `done` until it holds or `timeoutMs` has passed, without dispatching
// messages (for the input thread of WhileInput); returns `done()`.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Runs `input` (real mouse and key input, pixel reads) on a second thread while
// this thread, the windows' thread, keeps dispatching messages: a press on a
// frame or a menu starts a modal loop on the windows' thread. Returns once
// the input has been taken and painted.
void WhileInput(const std::function<void()>& input);

} // namespace qel::test
