#include "creator/editor/ColourPick.h"

namespace qel {
namespace {

void SetSwatch(SkinDocument& document, int index, uint32_t colour) {
    if (colour != SheetImage::kOutside) document.picColor(index).backColor = colour;
}

} // namespace

void ColourPick::Start(SkinDocument& document, int swatch) {
    Swatch& s = document.picColor(swatch);
    s.foreColor = s.backColor;
    index = swatch;
    active = true;
}

void ColourPick::Follow(SkinDocument& document, uint32_t colour) const {
    if (active) SetSwatch(document, index, colour);
}

std::optional<int> ColourPick::Take(SkinDocument& document, uint32_t colour) {
    if (!active) return std::nullopt;
    active = false;
    SetSwatch(document, index, colour);
    document.SkinModified = true;
    return index;
}

std::vector<int> PreviewsColouredBy(int swatch) {
    if (swatch == 0) return {1, 3};
    if (swatch == 10) return {2, 4};
    return {};
}

} // namespace qel
