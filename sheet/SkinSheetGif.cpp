#include "sheet/SkinSheetGif.h"
#include "imaging/PixelBuffer.h"
#include "imaging/ReduceColours.h"
#include "imaging/mGIFSave.h"

#include <set>
#include <stdexcept>

namespace qel {
namespace {

// A picture's pixels as a 32-bit pixel buffer (a view of `rows`).
PixelView ViewOf(std::vector<uint32_t>& rows, const SheetImage& picture) {
    rows = picture.ToBgra();
    return {reinterpret_cast<uint8_t*>(rows.data()), picture.Width(), picture.Height(),
            static_cast<ptrdiff_t>(picture.Width()) * 4, 32};
}

} // namespace

void ReduceSheetColours(SkinSheetContent& content, const std::vector<uint32_t>& reserved) {
    const std::vector<SheetImage*> pieces = content.Pictures();
    std::vector<std::vector<uint32_t>> rows(pieces.size());
    std::vector<PixelView> views;
    for (size_t i = 0; i < pieces.size(); ++i)
        views.push_back(ViewOf(rows[i], *pieces[i]));

    const int distinct =
        static_cast<int>(std::set<uint32_t>(reserved.begin(), reserved.end()).size());
    ReduceColours(views, reserved, kGifColours - distinct, content.key);
    for (size_t i = 0; i < pieces.size(); ++i)
        *pieces[i] = SheetImage::FromBgra(pieces[i]->Width(), pieces[i]->Height(), rows[i].data());
}

std::vector<uint8_t> SkinSheetGif(const SheetImage& sheet, const std::string& comment) {
    std::vector<uint32_t> rows;
    std::vector<uint8_t> bytes;
    switch (EncodeExactGIF(ViewOf(rows, sheet), {-1, false, comment}, bytes)) {
    case GifError::None:
        return bytes;
    case GifError::TooManyColours:
        throw std::runtime_error("the sheet has more than 256 colours; a GIF file holds 256");
    default:
        throw std::runtime_error("the GIF writer refused the sheet");
    }
}

} // namespace qel
