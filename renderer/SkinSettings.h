// The members of a skin configuration as plain data: held by the record
// itself and, as copies, by the renderer.
#pragma once
#include "base/ComPtr.h"
#include "control/QelTypeLib.h"

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

// The title and menu colours and fonts a new record and a new renderer start
// with, and a title that is drawn: two new fonts named "MS Sans Serif".
void SetTitleAndMenuDefaults(SkinSettings& s);

// A property read from and stored in the member of the same name of the class's
// SkinSettings `s_`; objects are set by `setter` (put or putref).
#define QEL_SETTING_VALUE(Name, Type)                                                              \
    STDMETHODIMP get_##Name(Type* ret) override {                                                  \
        if (!ret) return E_POINTER;                                                                \
        *ret = s_.Name;                                                                            \
        return S_OK;                                                                               \
    }                                                                                              \
    STDMETHODIMP put_##Name(Type value) override {                                                 \
        s_.Name = value;                                                                           \
        return S_OK;                                                                               \
    }
#define QEL_SETTING_OBJECT(Name, Type, setter)                                                     \
    STDMETHODIMP get_##Name(Type** ret) override {                                                 \
        return CopyTo(s_.Name, ret);                                                               \
    }                                                                                              \
    STDMETHODIMP setter##_##Name(Type* value) override {                                           \
        s_.Name = value;                                                                           \
        return S_OK;                                                                               \
    }

} // namespace qel
