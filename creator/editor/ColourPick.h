// The eyedropper: a pick started beside a colour swatch follows the pointer
// over the previews and is taken by a press on one.
#pragma once
#include "creator/shell/SkinDocument.h"

#include <optional>
#include <vector>

namespace qel {

struct ColourPick {
    bool active = false; // ColorPickActive
    int index = 0;       // ColorPickIndex: the swatch being picked

    // An eyedropper button: the swatch's colour becomes the one that clearing
    // the skin puts back, and the pick of that swatch is pending.
    void Start(SkinDocument& document, int swatch);
    // The pointer moves over a preview: while pending, the swatch takes the
    // colour under it. A colour read where the preview's surface has no pixel
    // (SheetImage::kOutside) never reaches a swatch, here or in Take.
    void Follow(SkinDocument& document, uint32_t colour) const;
    // A press on a preview: when pending, ends the pick, gives the swatch the
    // colour, marks the skin modified and answers the swatch's index.
    std::optional<int> Take(SkinDocument& document, uint32_t colour);
};

// The previews whose back colour is swatch `swatch`: 1 and 3 for swatch 0
// ("Active Form Back Color"), 2 and 4 for swatch 10, none for the others.
std::vector<int> PreviewsColouredBy(int swatch);

} // namespace qel
