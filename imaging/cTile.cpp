#include "imaging/cTile.h"
#include "imaging/PictureBitmap.h"

#include <limits>
#include <stdexcept>
#include <vector>

namespace qel {

bool cTile::SetPatternFromStdPicture(IPicture* picture) {
    HBITMAP bitmap = PictureBitmap(picture);
    if (!bitmap) return static_cast<bool>(brush_);
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    // A packed bottom-up 24-bit DIB: the header, then rows of whole 4-byte groups.
    const int64_t stride = (int64_t{bm.bmWidth} * 3 + 3) & ~int64_t{3};
    const int64_t size = stride * bm.bmHeight;
    if (bm.bmWidth < 1 || bm.bmHeight < 1 || size > std::numeric_limits<int32_t>::max())
        return static_cast<bool>(brush_);
    std::vector<uint8_t> packed(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(size));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(packed.data());
    *header = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 24, BI_RGB,
               static_cast<DWORD>(size), 0,          0,           0, 0};
    WindowDC screen = WindowDC::Client(nullptr);
    if (!GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight),
                   packed.data() + sizeof(BITMAPINFOHEADER), reinterpret_cast<BITMAPINFO*>(header),
                   DIB_RGB_COLORS))
        return static_cast<bool>(brush_);
    DestroyPattern();
    // The brush keeps its own copy of the pattern.
    brush_.reset(CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
    return static_cast<bool>(brush_);
}

bool cTile::SetPatternFromHatchBrush(int32_t hatchStyle, OLE_COLOR colour) {
    DestroyPattern();
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(colour, nullptr, &rgb))) return false;
    brush_.reset(CreateHatchBrush(hatchStyle, rgb));
    return static_cast<bool>(brush_);
}

bool cTile::SetPatternFromSolidColor(OLE_COLOR colour) {
    DestroyPattern();
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(colour, nullptr, &rgb))) return false;
    brush_.reset(CreateSolidBrush(rgb));
    return static_cast<bool>(brush_);
}

void cTile::Tile(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height,
                 bool resetOrigin) const {
    if (!brush_) return;
    const int64_t right = int64_t{x} + width, bottom = int64_t{y} + height;
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (right < kMin || right > kMax || bottom < kMin || bottom > kMax)
        throw std::overflow_error("Overflow: tile rectangle beyond 32 bits");
    SetBrushOrgEx(dc, resetOrigin ? x : 0, resetOrigin ? y : 0, nullptr);
    RECT area{x, y, static_cast<LONG>(right), static_cast<LONG>(bottom)};
    FillRect(dc, &area, brush_.get());
}

} // namespace qel
