#include "tests/support/Screen.h"
#include "tests/support/Paths.h"
#include "tests/support/Png.h"
#include "base/Handle.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace qel::test {

COLORREF ScreenPixel(int x, int y) {
    WindowDC screen = WindowDC::Client(nullptr);
    return GetPixel(screen.get(), x, y);
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return ScreenPixel(r.left + x, r.top + y);
}

namespace {
BOOL CALLBACK CollectPopupMenu(HWND w, LPARAM found) {
    char name[16] = {};
    if (IsWindowVisible(w) && GetClassNameA(w, name, sizeof name) && strcmp(name, "#32768") == 0) {
        RECT r;
        GetWindowRect(w, &r);
        reinterpret_cast<std::vector<RECT>*>(found)->push_back(r);
    }
    return TRUE;
}
} // namespace

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<RECT> OpenPopupMenus() {
    std::vector<RECT> popups;
    EnumWindows(CollectPopupMenu, reinterpret_cast<LPARAM>(&popups));
    return popups;
}

std::string OutputPath(const std::string& name) {
    const char* root = getenv("QEL_TEST_OUTPUT");
    std::string path = WindowsPath(std::string(root && *root ? root : "test-output") + "/" + name);
    // Create every folder on the way.
    for (size_t pos = path.find('\\', 3); pos != std::string::npos; pos = path.find('\\', pos + 1))
        CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
    return path;
}

std::vector<COLORREF> ScreenPixels(RECT area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return {};
    WindowDC screen = WindowDC::Client(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC mem(CreateCompatibleDC(screen.get()));
    if (!dib || !mem) return {};
    {
        Selection sel(mem.get(), dib.get());
        BitBlt(mem.get(), 0, 0, w, h, screen.get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();
    std::vector<COLORREF> pixels(size_t(w) * h);
    const uint8_t* p = static_cast<const uint8_t*>(bits); // blue, green, red, unused
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(p[i * 4 + 2], p[i * 4 + 1], p[i * 4]);
    return pixels;
}

std::string SaveScreenshot(const std::string& name, RECT area) {
    if (IsRectEmpty(&area))
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const std::vector<COLORREF> pixels = ScreenPixels(area);
    if (pixels.empty()) return "";
    std::vector<uint8_t> rgb(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        rgb[i * 3] = GetRValue(pixels[i]);
        rgb[i * 3 + 1] = GetGValue(pixels[i]);
        rgb[i * 3 + 2] = GetBValue(pixels[i]);
    }
    std::string path = OutputPath("screenshots/" + name + ".png");
    return WritePng(path, area.right - area.left, area.bottom - area.top, rgb) ? path : "";
}

RECT WindowRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

std::string SaveWindowShot(const std::string& name, HWND hwnd, int margin) {
    RECT r;
    GetWindowRect(hwnd, &r);
    InflateRect(&r, margin, margin);
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, GetSystemMetrics(SM_CXSCREEN));
    r.bottom = std::min<LONG>(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    return SaveScreenshot(name, r);
}

} // namespace qel::test
