// The files the generator writes: each skin's sheet, drawn, brought down to the
// colours of one GIF colour table and composed by the sheet writer, stored as
// a GIF89a file that decodes to exactly that sheet.
#pragma once
#include "sheet/SheetImage.h"
#include "tools/skins/SkinTheme.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

// The sheet of `theme`. The artwork shares the colour table with the key, the
// background, the swatch colours and the flags' black, and never takes the key
// colour. Throws std::runtime_error when the sheet would not read back to the
// theme's sizes, colours, flags and values.
SheetImage MakeSkinSheet(const SkinTheme& theme);

// The file of `theme`: its sheet as GIF89a with the skin's name as comment.
std::vector<uint8_t> SkinFile(const SkinTheme& theme);

} // namespace qel
