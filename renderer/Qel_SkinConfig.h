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

    // Every member as a property: objects set by reference, the name kept as text.
#define QEL_CONFIG_PROPERTY(Name, Kind, ...) QEL_CONFIG_PROPERTY_##Kind(Name, Setting##Kind)
#define QEL_CONFIG_PROPERTY_Long QEL_SETTING_VALUE
#define QEL_CONFIG_PROPERTY_Short QEL_SETTING_VALUE
#define QEL_CONFIG_PROPERTY_Colour QEL_SETTING_VALUE
#define QEL_CONFIG_PROPERTY_Bool QEL_SETTING_VALUE
#define QEL_CONFIG_PROPERTY_Single QEL_SETTING_VALUE
#define QEL_CONFIG_PROPERTY_Method QEL_SETTING_VALUE
#define QEL_CONFIG_PROPERTY_Picture(Name, Type) QEL_SETTING_OBJECT(Name, IPictureDisp, putref)
#define QEL_CONFIG_PROPERTY_Font(Name, Type) QEL_SETTING_OBJECT(Name, IFontDisp, putref)
#define QEL_CONFIG_PROPERTY_Text(Name, Type)                                                       \
    STDMETHODIMP get_##Name(BSTR* ret) override;                                                   \
    STDMETHODIMP put_##Name(BSTR value) override;
    QEL_SKIN_SETTINGS(QEL_CONFIG_PROPERTY)
#undef QEL_CONFIG_PROPERTY
#undef QEL_CONFIG_PROPERTY_Long
#undef QEL_CONFIG_PROPERTY_Short
#undef QEL_CONFIG_PROPERTY_Colour
#undef QEL_CONFIG_PROPERTY_Bool
#undef QEL_CONFIG_PROPERTY_Single
#undef QEL_CONFIG_PROPERTY_Method
#undef QEL_CONFIG_PROPERTY_Picture
#undef QEL_CONFIG_PROPERTY_Font
#undef QEL_CONFIG_PROPERTY_Text

private:
    void SetDefaults();

    SkinSettings s_;
};

} // namespace qel
