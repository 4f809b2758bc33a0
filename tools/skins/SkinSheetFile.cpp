#include "tools/skins/SkinSheetFile.h"
#include "sheet/SkinSheetGif.h"
#include "sheet/SkinSheetWriter.h"
#include "tools/skins/SkinArtist.h"

#include <algorithm>
#include <stdexcept>

namespace qel {

SheetImage MakeSkinSheet(const SkinTheme& theme) {
    SkinSheetContent content = DrawSkin(theme);
    std::vector<uint32_t> reserved{theme.key, theme.background};
    reserved.insert(reserved.end(), theme.colours.begin(), theme.colours.end());
    if (std::find(theme.flags.begin(), theme.flags.end(), true) != theme.flags.end())
        reserved.push_back(kFlagOn);
    ReduceSheetColours(content, reserved);

    if (std::string problem = CheckSkinSheetContent(content, theme.background); !problem.empty())
        throw std::runtime_error(theme.name + ": " + problem);
    return ComposeSkinSheet(content, theme.background);
}

std::vector<uint8_t> SkinFile(const SkinTheme& theme) {
    return SkinSheetGif(MakeSkinSheet(theme), theme.name);
}

} // namespace qel
