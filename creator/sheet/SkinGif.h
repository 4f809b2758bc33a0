// The GIF image a GIF save writes of a skin sheet, and the check that what it
// decodes to is still the same sheet. A sheet of 256 colours or fewer is
// stored exactly; otherwise only the pieces' colours are reduced, the key,
// background, black and swatch colours staying exact and no piece pixel
// taking the key colour, so that the image reads back to the same layout,
// colours, flags and values.
#pragma once
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetContent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

struct SkinGif {
    std::vector<uint8_t> bytes; // a GIF87a file
    SheetImage picture;         // what the file decodes to
    bool exact = false;         // the picture is the sheet itself
};

// The GIF of the sheet of `content` on `background` (a content that
// CheckSkinSheetContent accepts). Throws std::runtime_error when the writer
// refuses it.
SkinGif MakeSkinGif(const SkinSheetContent& content, uint32_t background);

// Why `decoded` (the GIF file decoded) is not the picture of `gif` or does not
// read back to the layout, key, colours, flags and values of `content`; "" when
// it is and does.
std::string GifReadBackFault(const SheetImage& decoded, const SkinGif& gif,
                             const SkinSheetContent& content);

} // namespace qel
