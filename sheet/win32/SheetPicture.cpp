#include "sheet/win32/SheetPicture.h"
#include "base/BitmapRows.h"
#include "base/PictureFile.h"
#include "sheet/SkinSheetGeometry.h"
#include "sheet/SkinSlice.h"

#include <vector>

namespace qel {
namespace {

void Say(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
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
    std::optional<std::vector<uint32_t>> rows = ReadBitmapRows(bitmap, bm.bmWidth, bm.bmHeight);
    if (!rows) {
        Say(problem, "The picture's pixels cannot be read.");
        return std::nullopt;
    }
    return SheetImage::FromBgra(bm.bmWidth, bm.bmHeight, rows->data());
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
    std::vector<uint32_t> rows = image.ToBgra();
    UniqueBitmap bitmap = BitmapFromRows(image.Width(), image.Height(), rows.data());
    if (!bitmap) return nullptr;
    return PictureFromBitmap(std::move(bitmap));
}

} // namespace qel
