// A window frame composed from a skin sheet the way the skin renderer composes
// it (caption ends, tiled middle, buttons by state, side and bottom cells, the
// window region's rounded corners), to look at skins without a window. Text is
// left to a caller that can draw it: the frame says where it goes.
#pragma once
#include "skinmodel/FrameLayout.h"
#include "sheet/SheetImage.h"
#include "sheet/SkinSheetGeometry.h"

namespace qel {

struct FrameShot {
    int width = 300, height = 170; // the window's outer size
    bool active = true;
    bool hasMenu = false;
    bool maximized = false; // the middle button shows "restore"
    // The caption buttons' states (Normal, Down or Highlight; an in-active
    // window shows the Disabled images whatever these say).
    ButtonState close = ButtonState::Normal, maximize = ButtonState::Normal,
                minimize = ButtonState::Normal;
    bool sizable = true; // the bottom corners of a sizable window
    int titleHeight = 0; // the title font's height, when the caller measures it
};

struct FramePicture {
    SheetImage image; // the window; outside its region the desktop's colour
    SheetRect title;  // where the renderer draws the window text (empty: none)
    uint32_t titleColour = 0;
    int menuLeft = 0, menuTop = 0;         // where the renderer renders the menu bar
    uint32_t menuColour = 0, menuOver = 0; // item text: normal (by the active state) and hot
    uint32_t menuBackground = 0;           // the base of the hot item's edge shades
    SheetRect client;                      // the client area
    uint32_t formText = 0;                 // the skin's text colour for the form's controls
};

inline constexpr uint32_t kDesktopColour = 0x00A56E3A;

// Refuses (std::invalid_argument) a sheet the slicer refuses.
FramePicture ComposeFrame(const SheetImage& sheet, const FrameShot& shot);

} // namespace qel
