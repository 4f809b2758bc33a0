// What is on the screen: pixels read back and screenshots saved for people.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace qel::test {

// A window's rectangle on the screen (frame included), and its client rectangle.
RECT WindowRectOf(HWND hwnd);
RECT ClientRectOf(HWND hwnd);
// The centre of a rectangle.
POINT Centre(const RECT& r);

// The colour at a screen point (0x00BBGGRR).
COLORREF ScreenPixel(int x, int y);
// The colour at a point relative to a window's top-left corner (frame included).
COLORREF WindowPixel(HWND hwnd, int x, int y);

// The colours of a screen rectangle, row by row; empty when it cannot be read.
std::vector<COLORREF> ScreenPixels(RECT area);

// The screen rectangles of the popup menus on show, topmost first.
std::vector<RECT> OpenPopupMenus();

// A path under the build folder's test output (created when missing).
std::string OutputPath(const std::string& name);

// Saves the screen rectangle (the whole screen when empty) as
// test-output/screenshots/<name>.png; returns the path written, or "" on failure.
std::string SaveScreenshot(const std::string& name, RECT area = {});
// Saves a window's rectangle (frame included) with a small margin around it.
std::string SaveWindowShot(const std::string& name, HWND hwnd, int margin = 8);

} // namespace qel::test
