#include "tools/skins/SkinSheetFile.h"
#include "control/SkinSheetWriter.h"
#include "imaging/PixelBuffer.h"
#include "imaging/cPal8bpp.h"
#include "imaging/mGIFSave.h"
#include "tools/skins/SheetPalette.h"
#include "tools/skins/SkinArtist.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <unordered_map>

namespace qel {

SheetImage MakeSkinSheet(const SkinTheme& theme) {
    SkinSheetContent content = DrawSkin(theme);
    std::vector<SheetImage*> pieces;
    for (SheetImage& p : content.captionPieces)
        pieces.push_back(&p);
    for (SheetImage& p : content.stripPieces)
        pieces.push_back(&p);
    for (SheetImage& p : content.buttons)
        pieces.push_back(&p);

    std::vector<uint32_t> reserved{theme.key, theme.background};
    reserved.insert(reserved.end(), theme.colours.begin(), theme.colours.end());
    if (std::find(theme.flags.begin(), theme.flags.end(), true) != theme.flags.end())
        reserved.push_back(kFlagOn);
    const int distinct =
        static_cast<int>(std::set<uint32_t>(reserved.begin(), reserved.end()).size());
    ReduceColours(pieces, reserved, kGifColours - distinct, theme.key);

    if (std::string problem = CheckSkinSheetContent(content, theme.background); !problem.empty())
        throw std::runtime_error(theme.name + ": " + problem);
    return ComposeSkinSheet(content, theme.background);
}

std::vector<uint8_t> SkinSheetGif(const SheetImage& sheet, const std::string& comment) {
    const std::vector<uint32_t> colours = ColoursOf(sheet);
    if (colours.size() > kGifColours)
        throw std::runtime_error("the sheet has " + std::to_string(colours.size()) +
                                 " colours; a GIF file holds 256");
    cPal8bpp palette;
    palette.Initialize(std::max<int>(2, static_cast<int>(colours.size())));
    std::unordered_map<uint32_t, uint8_t> index;
    for (size_t i = 0; i < colours.size(); ++i) {
        const auto e = static_cast<uint8_t>(i);
        palette.rgbR(e, colours[i] & 0xFF);
        palette.rgbG(e, (colours[i] >> 8) & 0xFF);
        palette.rgbB(e, (colours[i] >> 16) & 0xFF);
        index[colours[i]] = e;
    }
    PixelBuffer pixels(sheet.Width(), sheet.Height(), 8);
    PixelView view = pixels.View();
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x)
            view.Row(y)[x] = index.at(sheet.Pixel(x, y));

    std::vector<uint8_t> bytes;
    if (EncodeGIF(view, palette, {-1, false, comment}, bytes) != GifError::None)
        throw std::runtime_error("the GIF writer refused the sheet");
    return bytes;
}

std::vector<uint8_t> SkinFile(const SkinTheme& theme) {
    return SkinSheetGif(MakeSkinSheet(theme), theme.name);
}

} // namespace qel
