// The pieces a skin draws its frame from, as its pictures hold them: the
// border picture's cells and the button picture's columns and rows. The skin
// sheet stores them in this order, and the frame layout cuts them out by it.
// Portable.
#pragma once

namespace qel {

// Side and bottom pieces exist for the active and the in-active frame only.
enum class FrameVariant { Active, Inactive };
enum class StripPiece {
    LeftSide,
    BottomLeftFixed,
    BottomLeftSizable,
    BottomMiddle,
    BottomRightFixed,
    BottomRightSizable,
    RightSide
};
// Columns and rows of the button picture.
enum class CaptionButton { Close, Restore, Maximize, Minimize };
enum class ButtonState { Normal, Down, Highlight, Disabled };

inline constexpr int kFrameVariants = 2, kStripPieces = 7, kStripCells = 14;
inline constexpr int kCaptionButtons = 4, kButtonStates = 4;

// The cell of the border picture (0 to 13) that holds a piece: the active
// frame's pieces, then the in-active frame's.
constexpr int StripCellOf(FrameVariant v, StripPiece p) {
    return static_cast<int>(v) * kStripPieces + static_cast<int>(p);
}

} // namespace qel
