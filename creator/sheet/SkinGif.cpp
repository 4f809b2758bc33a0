#include "creator/sheet/SkinGif.h"
#include "sheet/SkinSheetGif.h"
#include "sheet/SkinSheetReader.h"
#include "sheet/SkinSheetWriter.h"

#include <unordered_set>

namespace qel {
namespace {

bool FitsOneColourTable(const SheetImage& picture) {
    std::unordered_set<uint32_t> colours;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (colours.insert(picture.Pixel(x, y)).second && colours.size() > kGifColours)
                return false;
    return true;
}

} // namespace

SkinGif MakeSkinGif(const SkinSheetContent& content, uint32_t background) {
    SkinGif gif;
    gif.picture = ComposeSkinSheet(content, background);
    gif.exact = FitsOneColourTable(gif.picture);
    if (!gif.exact) {
        SkinSheetContent reduced = content;
        std::vector<uint32_t> reserved{content.key, background, kFlagOn};
        reserved.insert(reserved.end(), content.colours.begin(), content.colours.end());
        ReduceSheetColours(reduced, reserved);
        gif.picture = ComposeSkinSheet(reduced, background);
    }
    gif.bytes = SkinSheetGif(gif.picture, "");
    return gif;
}

std::string GifReadBackFault(const SheetImage& decoded, const SkinGif& gif,
                             const SkinSheetContent& content) {
    if (decoded != gif.picture) return "The GIF image does not decode to the sheet's pixels.";
    const SkinSheetReading reading = ReadSkinSheet(decoded);
    if (!reading.sheet) return reading.problem;
    const SkinSheetContent read = CutSkinSheetContent(decoded, *reading.sheet, FlagRule::Creator);
    if (read.Geometry() != content.Geometry()) return "The GIF image reads as another layout.";
    if (read.key != content.key || read.colours != content.colours || read.flags != content.flags ||
        read.values != content.values)
        return "The GIF image reads back to other colours, flags or values.";
    return {};
}

} // namespace qel
