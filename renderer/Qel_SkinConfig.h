// The skin configuration: the pictures a skin's frame is cut from, the numbers
// that say how they are laid out, the colours and fonts of title and menu bar,
// and a few flags. A plain record: the renderer copies what it uses when it
// attaches, so later changes reach it only at the next attachment.
#pragma once
#include "base/ComObject.h"
#include "base/QelTypeLib.h"

#include <ocidl.h>
#include <string>

namespace qel {

// Every member of the record under its own name, in the order of its dispatch
// identifiers. All members start at 0, False, empty or no object.
struct SkinSettings {
    LONG ButtonWidth = 0;
    LONG ButtonHeight = 0;
    LONG ActiveLeftEnd = 0;
    LONG ActiveRightStart = 0;
    LONG ActiveRightEnd = 0;
    LONG InactiveOffset = 0;
    ComPtr<IPictureDisp> Caption;
    ComPtr<IPictureDisp> Borders;
    ComPtr<IPictureDisp> Buttons;
    ComPtr<IPictureDisp> FrmIcon;
    LONG CaptionLeft = 0;
    VARIANT_BOOL ShowIcon = VARIANT_FALSE;
    LONG IconLeft = 0;
    LONG IconTop = 0;
    OLE_COLOR ActiveCaptionColor = 0;
    OLE_COLOR InActiveCaptionColor = 0;
    ComPtr<IFontDisp> CaptionFont;
    OLE_COLOR FormBackgroundColor = 0;
    OLE_COLOR ActiveMenuColor = 0;
    OLE_COLOR ActiveMenuColorOver = 0;
    OLE_COLOR InActiveMenuColor = 0;
    OLE_COLOR MenuBackgroundColor = 0;
    ComPtr<IFontDisp> MenuFont;
    VARIANT_BOOL BorderHasInactiveVersion = VARIANT_FALSE;
    LONG LeftBorderWidth = 0;
    LONG RightBorderWidth = 0;
    LONG TopSizingBorderHeight = 0;
    LONG BottomSizingBorderHeight = 0;
    SHORT ButtonGap = 0;
    VARIANT_BOOL DrawTitle = VARIANT_FALSE;
    LONG TitleStartOffsetY = 0;
    VARIANT_BOOL ControlButtonHasInactiveVersion = VARIANT_FALSE;
    VARIANT_BOOL CustomControlButtonPosition = VARIANT_FALSE;
    LONG ControlButtonOffsetX = 0;
    LONG ControlButtonOffsetY = 0;
    LONG MenuStartOffsetY = 0;
    LONG MenuStartOffsetX = 0;
    std::wstring Name;
    VARIANT_BOOL Colourise = VARIANT_FALSE;
    float Hue = 0;
    float Saturation = 0;
    VARIANT_BOOL AdjustRGB = VARIANT_FALSE;
    float PercentRed = 0;
    float PercentBlue = 0;
    float PercentGreen = 0;
    OLE_COLOR TransparentColor = 0;
    ECNCDrawMethodConstants Method = ECNCModifyNonClientArea;
};

// The colours a new record and a new renderer start with.
inline constexpr OLE_COLOR kDefaultActiveCaptionColor = 0x00CCCCCC;
inline constexpr OLE_COLOR kDefaultInActiveCaptionColor = 0x00999999;
inline constexpr OLE_COLOR kDefaultInActiveMenuColor = 0x00808080;
inline constexpr OLE_COLOR kDefaultMenuBackgroundColor = 0x00FFFFFF;
// The face name of the fonts a new record and a new renderer start with.
inline constexpr const wchar_t* kDefaultFontName = L"MS Sans Serif";

// A property of the record that holds a value.
#define QEL_CONFIG_VALUE(Name, Type)                                                               \
    STDMETHODIMP get_##Name(Type* ret) override {                                                  \
        if (!ret) return E_POINTER;                                                                \
        *ret = s_.Name;                                                                            \
        return S_OK;                                                                               \
    }                                                                                              \
    STDMETHODIMP put_##Name(Type value) override {                                                 \
        s_.Name = value;                                                                           \
        return S_OK;                                                                               \
    }

// A property of the record that holds an object, set by reference.
#define QEL_CONFIG_OBJECT(Name, Type)                                                              \
    STDMETHODIMP get_##Name(Type** ret) override {                                                 \
        return CopyTo(s_.Name, ret);                                                               \
    }                                                                                              \
    STDMETHODIMP putref_##Name(Type* value) override {                                             \
        s_.Name = value;                                                                           \
        return S_OK;                                                                               \
    }

class Qel_SkinConfig final : public ComObject<Qel_SkinConfig, _Qel_SkinConfig> {
public:
    Qel_SkinConfig() { SetDefaults(); }

    // The record's members, for the library's own code.
    SkinSettings& Settings() { return s_; }

    QEL_CONFIG_VALUE(ButtonWidth, LONG)
    QEL_CONFIG_VALUE(ButtonHeight, LONG)
    QEL_CONFIG_VALUE(ActiveLeftEnd, LONG)
    QEL_CONFIG_VALUE(ActiveRightStart, LONG)
    QEL_CONFIG_VALUE(ActiveRightEnd, LONG)
    QEL_CONFIG_VALUE(InactiveOffset, LONG)
    QEL_CONFIG_OBJECT(Caption, IPictureDisp)
    QEL_CONFIG_OBJECT(Borders, IPictureDisp)
    QEL_CONFIG_OBJECT(Buttons, IPictureDisp)
    QEL_CONFIG_OBJECT(FrmIcon, IPictureDisp)
    QEL_CONFIG_VALUE(CaptionLeft, LONG)
    QEL_CONFIG_VALUE(ShowIcon, VARIANT_BOOL)
    QEL_CONFIG_VALUE(IconLeft, LONG)
    QEL_CONFIG_VALUE(IconTop, LONG)
    QEL_CONFIG_VALUE(ActiveCaptionColor, OLE_COLOR)
    QEL_CONFIG_VALUE(InActiveCaptionColor, OLE_COLOR)
    QEL_CONFIG_OBJECT(CaptionFont, IFontDisp)
    QEL_CONFIG_VALUE(FormBackgroundColor, OLE_COLOR)
    QEL_CONFIG_VALUE(ActiveMenuColor, OLE_COLOR)
    QEL_CONFIG_VALUE(ActiveMenuColorOver, OLE_COLOR)
    QEL_CONFIG_VALUE(InActiveMenuColor, OLE_COLOR)
    QEL_CONFIG_VALUE(MenuBackgroundColor, OLE_COLOR)
    QEL_CONFIG_OBJECT(MenuFont, IFontDisp)
    QEL_CONFIG_VALUE(BorderHasInactiveVersion, VARIANT_BOOL)
    QEL_CONFIG_VALUE(LeftBorderWidth, LONG)
    QEL_CONFIG_VALUE(RightBorderWidth, LONG)
    QEL_CONFIG_VALUE(TopSizingBorderHeight, LONG)
    QEL_CONFIG_VALUE(BottomSizingBorderHeight, LONG)
    QEL_CONFIG_VALUE(ButtonGap, SHORT)
    QEL_CONFIG_VALUE(DrawTitle, VARIANT_BOOL)
    QEL_CONFIG_VALUE(TitleStartOffsetY, LONG)
    QEL_CONFIG_VALUE(ControlButtonHasInactiveVersion, VARIANT_BOOL)
    QEL_CONFIG_VALUE(CustomControlButtonPosition, VARIANT_BOOL)
    QEL_CONFIG_VALUE(ControlButtonOffsetX, LONG)
    QEL_CONFIG_VALUE(ControlButtonOffsetY, LONG)
    QEL_CONFIG_VALUE(MenuStartOffsetY, LONG)
    QEL_CONFIG_VALUE(MenuStartOffsetX, LONG)
    STDMETHODIMP get_Name(BSTR* ret) override;
    STDMETHODIMP put_Name(BSTR value) override;
    QEL_CONFIG_VALUE(Colourise, VARIANT_BOOL)
    QEL_CONFIG_VALUE(Hue, float)
    QEL_CONFIG_VALUE(Saturation, float)
    QEL_CONFIG_VALUE(AdjustRGB, VARIANT_BOOL)
    QEL_CONFIG_VALUE(PercentRed, float)
    QEL_CONFIG_VALUE(PercentBlue, float)
    QEL_CONFIG_VALUE(PercentGreen, float)
    QEL_CONFIG_VALUE(TransparentColor, OLE_COLOR)
    QEL_CONFIG_VALUE(Method, ECNCDrawMethodConstants)

private:
    void SetDefaults();

    SkinSettings s_;
};

#undef QEL_CONFIG_VALUE
#undef QEL_CONFIG_OBJECT

} // namespace qel
