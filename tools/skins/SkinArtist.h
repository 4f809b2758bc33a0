// Draws a skin's artwork: the caption pieces of the four variants, the side and
// bottom cells of the active and in-active frame, and the sixteen caption-button
// images, all fitted to where the renderer puts them on a real frame.
#pragma once
#include "sheet/SkinSheetContent.h"
#include "tools/skins/SkinTheme.h"

namespace qel {

// The sheet content of `theme`: its key, colours, flags and values, and its
// pieces drawn at full colour depth (not yet brought down to a sheet's colours).
//
// How the pieces fit together on a frame: the caption's middle piece has
// identical columns, so that it tiles seamlessly; the title bar is drawn by the
// same rows in the menu and plain variants where the buttons sit; each button
// image carries the title bar behind it as its background, the active one for
// the first three states and the in-active one for the last; the outline,
// highlight, body and inner line of the borders run on through the caption's
// sides and round the bottom corners, rounded where the skin rounds its corners.
SkinSheetContent DrawSkin(const SkinTheme& theme);

} // namespace qel
