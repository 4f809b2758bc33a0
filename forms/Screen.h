// The screen as the forms runtime shows it: twips per pixel, and the mouse pointer
// that the program sets for all of its windows (the busy pointer during long work).
#pragma once
#include "forms/Picture.h"

namespace qel::forms {

// Mouse pointers: Default leaves the choice to the window under the mouse.
enum class Pointer : short {
    Default = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    Hourglass = 11,
    Custom = 99
};

class Screen {
public:
    static float TwipsPerPixelX();
    static float TwipsPerPixelY();

    static Pointer MousePointer();
    // Shows the pointer at once over every window of the program (Default gives
    // each window its own back).
    static void MousePointer(Pointer pointer);
    // The image of the Custom pointer (an icon or cursor picture).
    static void MouseIcon(Picture icon);

    // The cursor of a pointer (Custom: the icon picture, else the arrow); null for
    // Default. Shared or owned by the picture: nothing to free.
    static HCURSOR Cursor(Pointer pointer, IPictureDisp* icon);

    // Sets the cursor of the program's windows to the screen's pointer; false when
    // it is Default (each window then shows its own).
    static bool ApplyPointer();
};

} // namespace qel::forms
