// What the control makes of its skin sheet at every activation, as far as the
// sheet's pixels decide it: the caption, border and button pictures (as lists
// of rectangles to copy, so the platform side cuts them with its own drawing or
// with CutPicture), the values of the skin configuration, and the control's own
// skin state. The platform side adds the pictures, the form icon and the fonts.
#pragma once
#include "skinmodel/SkinSettingsTable.h"
#include "sheet/SheetImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qel {

struct SliceOptions {
    bool hasMenu = false;     // the host has a menu bar with at least one item
    bool showIcon = true;     // the control's ShowIcon property
    bool hostHasIcon = false; // the host form has an icon of its own
};

struct PictureCopy {
    SheetRect from; // on the sheet
    int toX = 0, toY = 0;
};

// A picture made of parts of the sheet.
struct SlicedPicture {
    int width = 0, height = 0;
    std::vector<PictureCopy> copies;
};

// Draws `picture` from `sheet` (the sheet it was sliced from).
SheetImage CutPicture(const SheetImage& sheet, const SlicedPicture& picture);

// The members of the skin configuration that slicing sets, under their names
// there; every other member keeps its value.
struct SkinConfigValues {
    static constexpr const char* Name = "Qel Skin Control";
#define QEL_SLICED_MEMBER(Name, Kind, Copied, Returned, Sliced, ...)                               \
    QEL_SETTING_IF(Sliced, Portable##Kind Name{};)
    QEL_SKIN_SETTINGS(QEL_SLICED_MEMBER)
#undef QEL_SLICED_MEMBER

    bool operator==(const SkinConfigValues&) const = default;
};

struct SkinSlice {
    // Caption: the active caption set at x 0 and the in-active one at x W, one
    // row less than its band (with a menu bar the menu band, else the plain one).
    SlicedPicture caption;
    SlicedPicture borders; // the 14 strip cells side by side
    SlicedPicture buttons; // columns Close, Restore, Maximize, Minimize; rows by state
    SkinConfigValues config;

    // The control's skin state.
    int16_t RoundAngle = 0;
    bool RoundTop = false, RoundBottom = false;
    uint32_t ActiveBackColor = 0, InactiveBackColor = 0, ControlForeColor = 0;
    bool SkinAllowsIcon = false; // the sheet's "Draw Form Icon"
    bool ShiftCaption = false;   // the sheet's "Shift Caption if No Icon"
    // The frame around the client area, in pixels: twice the strip cell width,
    // and the caption picture's height plus the strip's height.
    int frameWidth = 0, frameHeight = 0;

    // The same in twips; the width carries 45 twips more.
    double FrameWidthTwips(double twipsPerPixelX) const { return frameWidth * twipsPerPixelX + 45; }
    double FrameHeightTwips(double twipsPerPixelY) const { return frameHeight * twipsPerPixelY; }
};

struct SkinSliceResult {
    std::optional<SkinSlice> slice;
    std::string problem; // set when there is no slice
};

// Reads the sheet (refusing what ReadSkinSheet refuses, and a caption band of
// one row, which leaves no caption) and slices it. Flags follow the control's
// rule. Without a host icon, with "Draw Form Icon", "Shift Caption if No Icon"
// and showIcon all on, the menu and the caption move 16 pixels left when they
// lie further right than that.
SkinSliceResult SliceSkinSheet(const SheetImage& picture, const SliceOptions& options);

} // namespace qel
