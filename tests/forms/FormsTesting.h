// Helpers of the forms tests: input from a second thread while the forms' own
// loops run, screen points of windows, and message boxes answered by the tests.
#pragma once
#include "base/WideText.h"
#include "forms/Picture.h"
#include "tests/support/TestWindow.h"

#include <windows.h>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace qel::forms::test {

// Runs `input` on a second thread while `body` runs here (a modal show or the
// program's message loop, which return only after the input did its part). A
// modal loop still running well after the input ended fails the test and its
// forms are closed (see ModalWatchdog).
void WithInput(const std::function<void()>& body, const std::function<void()>& input);
using qel::test::WaitFor;

// The screen point of a client position of a window, and of its centre.
POINT ClientPoint(HWND hwnd, int x, int y);
POINT CentreOf(HWND hwnd);
// Clicks the centre of a window with the real mouse, once the window is the one
// at that point and its form takes input; a button is released once it shows
// the press.
void ClickOn(HWND hwnd);
// Clicks a window as ClickOn does until `done` holds; true when it does. Only
// for clicks that close a form (a dropped one would leave the test in its modal
// loop): it would pass a button that ignores its first click.
bool ClickUntil(HWND hwnd, const std::function<bool()>& done);
// Waits on the input thread for a window of this process in front that `is`
// accepts, with the focus on one of its controls (so that keys reach it).
bool WaitForDialog(const std::function<bool(HWND)>& is, DWORD timeoutMs = 10000);
// Types characters with real key presses; those outside ASCII as Unicode input.
void Type(const std::wstring& text);
inline void Type(const std::string& text) {
    Type(Widen(text));
}

// A bitmap picture of one colour, and an icon picture (32 x 32, hot spot 8, 8).
Picture SolidPicture(int w, int h, COLORREF colour);
Picture IconPicture();
// A 16 x 16 icon file of one colour (32 bits per pixel).
void WriteIcon(const std::string& path, COLORREF colour);

// The message boxes shown during a test: their prompts, and the answers to give
// (IDOK when none is queued). Cleared before each test.
struct MessageBoxLog {
    std::vector<std::string> prompts;
    std::deque<int> answers;
};
MessageBoxLog& MessageBoxes();
// How many message boxes were shown in this test; safe to read from the input thread.
int MessageBoxesShown();

} // namespace qel::forms::test
