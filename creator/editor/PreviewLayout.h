// Where the live preview of one variant puts everything: the copies of the
// flagged frame pieces, the sample caption, the mock menu bar, the form icon,
// the caption-button images, the text colour sample and the window region
// with the rounded corners. The windows side clears the form, copies the
// piece boxes, sets the controls' places and the region from it, and nothing
// else; DoBorders composes all four previews from it.
#pragma once
#include "creator/shell/SkinDocument.h"
#include "skinmodel/FrameLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace qel {

// A piece box copied `copies` times, whole (width x height from its (0,0)),
// copy i to (x + i * stepX, y + i * stepY) of the form; a corner is a run of
// one copy.
struct PieceRun {
    Piece piece{};
    int variant = 0; // whose piece box
    int x = 0, y = 0, stepX = 0, stepY = 0;
    int copies = 0;
    int width = 0, height = 0;

    // Where copy i goes, rounded half to even (saturating).
    std::pair<int, int> CopyAt(int i) const;
    bool operator==(const PieceRun&) const = default;
};

// A control's Left and Top on the form, in pixels.
struct ControlPlace {
    float left = 0, top = 0;
    bool operator==(const ControlPlace&) const = default;
};

// What the layout reads of a preview form.
struct PreviewFormMetrics {
    int scaleWidth = 0, scaleHeight = 0;             // client size, pixels
    int outerWidth = 0, outerHeight = 0;             // window size, pixels (from twips)
    std::array<float, 4> buttonWidths{};             // Image2(1) to Image2(4)
    float textSampleWidth = 0, textSampleHeight = 0; // Label3
};

struct PreviewLayout {
    // In drawing order: top, bottom, left and right runs, then the corners.
    // Only flagged pieces; a run of a piece 0 pixels long along it is left out.
    std::vector<PieceRun> runs;
    ControlPlace caption;                   // Label1
    std::optional<ControlPlace> menu;       // Label2, variants 1 and 2
    uint32_t menuColour = 0;                // Label2's ForeColor (may be a system colour)
    ControlPlace icon;                      // IcoImage
    std::array<ControlPlace, 4> buttons;    // Image2(1) close to Image2(4) minimise
    std::optional<ControlPlace> textSample; // Label3, variants 1 and 3
    RoundRegion region;
};

// The layout of the preview of `variant` 1 to 4.
PreviewLayout LayOutPreview(const SkinDocument& document, int variant,
                            const PreviewFormMetrics& form);

} // namespace qel
