#include "creator/editor/ColourPick.h"

namespace qel {
namespace {

void SetSwatch(SkinDocument& document, Swatch index, uint32_t colour) {
    if (colour != SheetImage::kOutside) document.picColor(index).backColor = colour;
}

} // namespace

void ColourPick::Start(SkinDocument& document, Swatch swatch) {
    SwatchColours& s = document.picColor(swatch);
    s.foreColor = s.backColor;
    index = swatch;
    active = true;
}

void ColourPick::Follow(SkinDocument& document, uint32_t colour) const {
    if (active) SetSwatch(document, index, colour);
}

std::optional<Swatch> ColourPick::Take(SkinDocument& document, uint32_t colour) {
    if (!active) return std::nullopt;
    active = false;
    SetSwatch(document, index, colour);
    document.SkinModified = true;
    return index;
}

std::vector<int> PreviewsColouredBy(Swatch swatch) {
    std::vector<int> variants;
    for (int v = 1; v <= kVariants; ++v)
        if (FormBackSwatch(v) == swatch) variants.push_back(v);
    return variants;
}

} // namespace qel
