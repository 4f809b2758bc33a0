#include "control/SheetPicture.h"
#include "base/Handle.h"
#include "base/PictureFile.h"
#include "control/SkinSheetGeometry.h"
#include "control/SkinSlice.h"

#include <vector>

namespace qel {
namespace {

void Say(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

} // namespace

std::optional<SheetImage> SheetFromPicture(IPictureDisp* picture, std::string* problem) {
    HBITMAP bitmap = BitmapOfPicture(picture);
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth < 1 || bm.bmHeight < 1) {
        Say(problem, "The picture holds no bitmap.");
        return std::nullopt;
    }
    if (bm.bmWidth > kMaxSheetSide || bm.bmHeight > kMaxSheetSide) {
        Say(problem, "The picture is " + std::to_string(bm.bmWidth) + " x " +
                         std::to_string(bm.bmHeight) + " pixels, larger than any skin sheet.");
        return std::nullopt;
    }
    std::vector<uint32_t> rows(size_t(bm.bmWidth) * bm.bmHeight);
    BITMAPINFO info = TopDown32(bm.bmWidth, bm.bmHeight);
    WindowDC screen = WindowDC::Client(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, rows.data(), &info, DIB_RGB_COLORS) !=
        bm.bmHeight) {
        Say(problem, "The picture's pixels cannot be read.");
        return std::nullopt;
    }
    return SheetImage::FromBgra(bm.bmWidth, bm.bmHeight, rows.data());
}

bool IsUsableSheet(IPictureDisp* picture, std::string* problem) {
    std::optional<SheetImage> image = SheetFromPicture(picture, problem);
    if (!image) return false;
    // The host may gain or lose its menu bar: the sheet must slice either way.
    for (bool hasMenu : {false, true}) {
        SkinSliceResult result = SliceSkinSheet(*image, {hasMenu, true, false});
        if (!result.slice) {
            Say(problem, result.problem);
            return false;
        }
    }
    return true;
}

ComPtr<IPictureDisp> PictureFromSheet(const SheetImage& image) {
    if (image.Empty()) return nullptr;
    BITMAPINFO info = TopDown32(image.Width(), image.Height());
    std::vector<uint32_t> rows = image.ToBgra();
    WindowDC screen = WindowDC::Client(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), image.Width(), image.Height()));
    if (!bitmap || SetDIBits(screen.get(), bitmap.get(), 0, image.Height(), rows.data(), &info,
                             DIB_RGB_COLORS) != image.Height())
        return nullptr;
    return PictureFromBitmap(std::move(bitmap));
}

} // namespace qel
