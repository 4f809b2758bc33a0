// Everything a skin sheet stores: the pieces, the caption-button images, the
// colours, the flags and the values. The writer composes a sheet from it and
// the readers cut a sheet back into it.
#pragma once
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetGeometry.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qel {

struct SkinSheetContent {
    uint32_t key = 0x0000FF00; // the colour of every line, ruler mark and value marker
    std::array<SheetImage, kCaptionVariants * kCaptionPieces> captionPieces;
    std::array<SheetImage, kStripCells> stripPieces; // in strip cell order
    std::array<SheetImage, kButtonStates * kCaptionButtons> buttons;
    std::array<uint32_t, kSheetColours> colours{};
    std::array<bool, kSheetFlags> flags{};
    std::array<int32_t, kSheetValues> values{};

    SheetImage& Caption(CaptionVariant v, CaptionPiece p) {
        return captionPieces[static_cast<int>(v) * kCaptionPieces + static_cast<int>(p)];
    }
    const SheetImage& Caption(CaptionVariant v, CaptionPiece p) const {
        return captionPieces[static_cast<int>(v) * kCaptionPieces + static_cast<int>(p)];
    }
    SheetImage& Strip(FrameVariant v, StripPiece p) { return stripPieces[StripCellOf(v, p)]; }
    const SheetImage& Strip(FrameVariant v, StripPiece p) const {
        return stripPieces[StripCellOf(v, p)];
    }
    SheetImage& Button(ButtonState s, CaptionButton b) {
        return buttons[static_cast<int>(s) * kCaptionButtons + static_cast<int>(b)];
    }
    const SheetImage& Button(ButtonState s, CaptionButton b) const {
        return buttons[static_cast<int>(s) * kCaptionButtons + static_cast<int>(b)];
    }
    uint32_t& Colour(SheetColour c) { return colours[static_cast<int>(c)]; }
    uint32_t Colour(SheetColour c) const { return colours[static_cast<int>(c)]; }
    bool& Flag(SheetFlag f) { return flags[static_cast<int>(f)]; }
    bool Flag(SheetFlag f) const { return flags[static_cast<int>(f)]; }
    int32_t& Value(SheetValue v) { return values[static_cast<int>(v)]; }
    int32_t Value(SheetValue v) const { return values[static_cast<int>(v)]; }

    // Every piece and caption-button image: the caption pieces, the strip
    // pieces, then the buttons.
    std::vector<SheetImage*> Pictures();
    std::vector<const SheetImage*> Pictures() const;

    // The sheet's sizes, as the writer takes them: caption widths and the menu
    // band's height from variant 1, the plain band's height from variant 3, the
    // strip cell from the active "Left Side", the button cell from the Normal Close.
    SkinSheetGeometry Geometry() const;

    bool operator==(const SkinSheetContent&) const = default;
};

} // namespace qel
