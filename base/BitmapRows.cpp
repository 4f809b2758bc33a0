#include "base/BitmapRows.h"

namespace qel {
namespace {

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

} // namespace

std::optional<std::vector<uint32_t>> ReadBitmapRows(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> rows(size_t(width) * height);
    BITMAPINFO info = TopDown32(width, height);
    WindowDC screen = WindowDC::Client(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, height, rows.data(), &info, DIB_RGB_COLORS) != height)
        return std::nullopt;
    return rows;
}

UniqueBitmap BitmapFromRows(int width, int height, const uint32_t* rows) {
    BITMAPINFO info = TopDown32(width, height);
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!bitmap ||
        SetDIBits(screen.get(), bitmap.get(), 0, height, rows, &info, DIB_RGB_COLORS) != height)
        return {};
    return bitmap;
}

} // namespace qel
