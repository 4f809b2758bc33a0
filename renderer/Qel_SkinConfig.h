// The skin configuration: the pictures a skin's frame is cut from, the numbers
// that say how they are laid out, the colours and fonts of title and menu bar,
// and a few flags. A plain record: the renderer copies what it uses when it
// attaches, so later changes reach it only at the next attachment.
#pragma once
#include "base/ComObject.h"
#include "renderer/SkinSettings.h"

namespace qel {

class Qel_SkinConfig final : public ComObject<Qel_SkinConfig, _Qel_SkinConfig> {
public:
    Qel_SkinConfig() { SetDefaults(); }

    // The record's members, for the library's own code.
    SkinSettings& Settings() { return s_; }

    QEL_SETTING_VALUE(ButtonWidth, LONG)
    QEL_SETTING_VALUE(ButtonHeight, LONG)
    QEL_SETTING_VALUE(ActiveLeftEnd, LONG)
    QEL_SETTING_VALUE(ActiveRightStart, LONG)
    QEL_SETTING_VALUE(ActiveRightEnd, LONG)
    QEL_SETTING_VALUE(InactiveOffset, LONG)
    QEL_SETTING_OBJECT(Caption, IPictureDisp, putref)
    QEL_SETTING_OBJECT(Borders, IPictureDisp, putref)
    QEL_SETTING_OBJECT(Buttons, IPictureDisp, putref)
    QEL_SETTING_OBJECT(FrmIcon, IPictureDisp, putref)
    QEL_SETTING_VALUE(CaptionLeft, LONG)
    QEL_SETTING_VALUE(ShowIcon, VARIANT_BOOL)
    QEL_SETTING_VALUE(IconLeft, LONG)
    QEL_SETTING_VALUE(IconTop, LONG)
    QEL_SETTING_VALUE(ActiveCaptionColor, OLE_COLOR)
    QEL_SETTING_VALUE(InActiveCaptionColor, OLE_COLOR)
    QEL_SETTING_OBJECT(CaptionFont, IFontDisp, putref)
    QEL_SETTING_VALUE(FormBackgroundColor, OLE_COLOR)
    QEL_SETTING_VALUE(ActiveMenuColor, OLE_COLOR)
    QEL_SETTING_VALUE(ActiveMenuColorOver, OLE_COLOR)
    QEL_SETTING_VALUE(InActiveMenuColor, OLE_COLOR)
    QEL_SETTING_VALUE(MenuBackgroundColor, OLE_COLOR)
    QEL_SETTING_OBJECT(MenuFont, IFontDisp, putref)
    QEL_SETTING_VALUE(BorderHasInactiveVersion, VARIANT_BOOL)
    QEL_SETTING_VALUE(LeftBorderWidth, LONG)
    QEL_SETTING_VALUE(RightBorderWidth, LONG)
    QEL_SETTING_VALUE(TopSizingBorderHeight, LONG)
    QEL_SETTING_VALUE(BottomSizingBorderHeight, LONG)
    QEL_SETTING_VALUE(ButtonGap, SHORT)
    QEL_SETTING_VALUE(DrawTitle, VARIANT_BOOL)
    QEL_SETTING_VALUE(TitleStartOffsetY, LONG)
    QEL_SETTING_VALUE(ControlButtonHasInactiveVersion, VARIANT_BOOL)
    QEL_SETTING_VALUE(CustomControlButtonPosition, VARIANT_BOOL)
    QEL_SETTING_VALUE(ControlButtonOffsetX, LONG)
    QEL_SETTING_VALUE(ControlButtonOffsetY, LONG)
    QEL_SETTING_VALUE(MenuStartOffsetY, LONG)
    QEL_SETTING_VALUE(MenuStartOffsetX, LONG)
    STDMETHODIMP get_Name(BSTR* ret) override;
    STDMETHODIMP put_Name(BSTR value) override;
    QEL_SETTING_VALUE(Colourise, VARIANT_BOOL)
    QEL_SETTING_VALUE(Hue, float)
    QEL_SETTING_VALUE(Saturation, float)
    QEL_SETTING_VALUE(AdjustRGB, VARIANT_BOOL)
    QEL_SETTING_VALUE(PercentRed, float)
    QEL_SETTING_VALUE(PercentBlue, float)
    QEL_SETTING_VALUE(PercentGreen, float)
    QEL_SETTING_VALUE(TransparentColor, OLE_COLOR)
    QEL_SETTING_VALUE(Method, ECNCDrawMethodConstants)

private:
    void SetDefaults();

    SkinSettings s_;
};

} // namespace qel
