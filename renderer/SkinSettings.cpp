#include "renderer/SkinSettings.h"
#include "base/OleObjects.h"

namespace qel {

void SetTitleAndMenuDefaults(SkinSettings& s) {
    s.ActiveCaptionColor = 0x00CCCCCC;
    s.InActiveCaptionColor = 0x00999999;
    s.InActiveMenuColor = 0x00808080;
    s.MenuBackgroundColor = 0x00FFFFFF;
    // Two separate font objects: changing one leaves the other as it is.
    s.CaptionFont = NewFontObject(L"MS Sans Serif");
    s.MenuFont = NewFontObject(L"MS Sans Serif");
    s.DrawTitle = VARIANT_TRUE;
}

} // namespace qel
