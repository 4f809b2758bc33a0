// The mock caption buttons of the active previews: which state's graphic each
// of the four images shows at rest, under the pointer and pressed.
#pragma once
#include "creator/shell/SkinDocument.h"

#include <array>
#include <optional>

namespace qel {

// A caption-button box holds a graphic when Val of its Tag is not 0.
bool HoldsGraphic(const GraphicBox& box);

// The state a mock button shows for a pointer move (`press` false) or press
// with the mouse buttons `button`: Highlight (3) for a move with none held,
// Down (2) with the left one alone; nothing for any other.
std::optional<int> MockButtonState(bool press, int button);

// Per image, close to minimise: the state whose box's picture the image
// takes, 0 to keep its picture. Rest: state 1 where it holds a graphic.
using ButtonPictures = std::array<int, kCaptionButtons>;
ButtonPictures RestButtonPictures(const SkinDocument& document);
// Button `button` showing `state`: that state's box on its image and the rest
// pictures on the others; all kept when that box holds no graphic.
ButtonPictures MockButtonPictures(const SkinDocument& document, CaptionButton button, int state);

} // namespace qel
