// The skins the generator draws: the six built-in skins of the control, the
// extra skins of the showcase's "Skins" folder and the skin creator's own skin. Everything that
// sets one skin apart from another is in this table: the sheet's sizes, key and background, its
// colours, flags and values, and the colours and shapes of its artwork.
#pragma once
#include "sheet/SkinSheetGeometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qel {

enum class ButtonShape {
    Bubble,  // a glossy sphere
    Capsule, // a glossy pill, wider than high
    Gem      // a glossy rounded square
};

// One look of the frame, active or in-active; colours are written 0xRRGGBB.
struct FrameLook {
    uint32_t gloss;   // title bar: the glossy upper half
    uint32_t base;    // title bar: the deeper lower half
    uint32_t frame;   // the body of the borders
    uint32_t outline; // the outer edge and the line round the client area
    uint32_t button;  // caption buttons (in-active: all four)
};

struct SkinArt {
    FrameLook active, inactive;
    uint32_t close; // the active close button
    ButtonShape buttons;
    bool bubbles; // a few soap bubbles in the caption's left end
};

struct SkinTheme {
    std::string name;     // the skin's name, also the comment of its GIF file
    std::string fileName; // "Skin1.gif" for the built-in skins, the name + ".gif" for the others
    SkinSheetGeometry geometry;
    uint32_t key, background; // colour values 0x00BBGGRR, as the sheet stores them
    std::array<uint32_t, kSheetColours> colours;
    std::array<bool, kSheetFlags> flags;
    std::array<int32_t, kSheetValues> values;
    SkinArt art;
};

// "Light Blue Bubble" to "Grey Bubble", in the order of the control's skin numbers.
const std::vector<SkinTheme>& BuiltInSkins();
// The showcase's extra skins: other sizes, larger buttons, rounded corners.
const std::vector<SkinTheme>& ShowcaseSkins();
// The skin creator's own skin, worn by its main window and dialogs.
const SkinTheme& CreatorSkin();

} // namespace qel
