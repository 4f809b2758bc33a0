// The eyedropper: a pick started beside a colour swatch follows the pointer
// over the previews and is taken by a press on one.
#pragma once
#include "creator/shell/SkinDocument.h"

#include <optional>
#include <vector>

namespace qel {

struct ColourPick {
    bool active = false;                   // ColorPickActive
    Swatch index = Swatch::ActiveFormBack; // ColorPickIndex: the swatch being picked

    // An eyedropper button: the swatch's colour becomes the one that clearing
    // the skin puts back, and the pick of that swatch is pending.
    void Start(SkinDocument& document, Swatch swatch);
    // The pointer moves over a preview: while pending, the swatch takes the
    // colour under it. A colour read where the preview's surface has no pixel
    // (SheetImage::kOutside) never reaches a swatch, here or in Take.
    void Follow(SkinDocument& document, uint32_t colour) const;
    // A press on a preview: when pending, ends the pick, gives the swatch the
    // colour, marks the skin modified and answers the swatch's index.
    std::optional<Swatch> Take(SkinDocument& document, uint32_t colour);
};

// The variants whose previews take `swatch` as their back colour.
std::vector<int> PreviewsColouredBy(Swatch swatch);

} // namespace qel
