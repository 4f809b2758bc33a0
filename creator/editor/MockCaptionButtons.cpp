#include "creator/editor/MockCaptionButtons.h"

#include "base/Val.h"

namespace qel {

bool HoldsGraphic(const GraphicBox& box) {
    return Val(box.tag) != 0;
}

std::optional<int> MockButtonState(bool press, int button) {
    if (button == 1) return 2;
    if (button == 0 && !press) return 3;
    return std::nullopt;
}

ButtonPictures RestButtonPictures(const SkinDocument& document) {
    ButtonPictures pictures{};
    for (int k = 0; k < kCaptionButtons; ++k)
        if (HoldsGraphic(document.ButtonBox(static_cast<CaptionButton>(k), 1))) pictures[k] = 1;
    return pictures;
}

ButtonPictures MockButtonPictures(const SkinDocument& document, CaptionButton button, int state) {
    if (!HoldsGraphic(document.ButtonBox(button, state))) return {};
    ButtonPictures pictures = RestButtonPictures(document);
    pictures[static_cast<int>(button)] = state;
    return pictures;
}

} // namespace qel
