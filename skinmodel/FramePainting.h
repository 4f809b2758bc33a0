// How a laid-out frame is painted: the block copies, in order, between the
// skin's pictures, two work surfaces and the window. The renderer walks them
// on device contexts and the skin generator's preview on pixels, so both tile
// the caption, the sides and the bottom alike. Portable.
#pragma once
#include "skinmodel/FrameLayout.h"

#include <vector>

namespace qel {

enum class FrameSurface {
    Caption, // the skin's pictures
    Borders,
    Buttons,
    Strip,  // the window's width: the caption band, later the bottom border
    Side,   // the two side cells side by side, repeated down
    Window, // where the frame is drawn (the layout's coordinates)
};

// A copy of `piece` from `from` to `to`; a copy within one surface repeats
// what is already drawn there, doubling it each time.
struct FrameCopy {
    FrameSurface from = FrameSurface::Caption, to = FrameSurface::Caption;
    PieceCopy piece;
    bool operator==(const FrameCopy&) const = default;
};

struct FramePainting {
    int stripWidth = 0, stripHeight = 0;
    int sideWidth = 0, sideHeight = 0;
    // Onto the strip: the caption's ends and its middle tiled. The title and
    // the menu bar are drawn on the strip after these.
    std::vector<FrameCopy> caption;
    // Then: the buttons onto the strip and the strip onto the window, the
    // sides, and the bottom border composed on the strip and copied down.
    std::vector<FrameCopy> frame;
};

FramePainting PaintingOf(const FrameSkin& skin, const FrameLayout& layout);

} // namespace qel
