// The members of a skin configuration as plain data: held by the record
// itself and, as copies, by the renderer.
#pragma once
#include "base/ComPtr.h"
#include "typelib/QelTypeLib.h"
#include "skinmodel/SkinSettingsTable.h"

#include <ocidl.h>
#include <string>

namespace qel {

// The kinds' types in the record and the renderer.
using SettingLong = LONG;
using SettingShort = SHORT;
using SettingColour = OLE_COLOR;
using SettingBool = VARIANT_BOOL;
using SettingSingle = float;
using SettingPicture = ComPtr<IPictureDisp>;
using SettingFont = ComPtr<IFontDisp>;
using SettingText = std::wstring;
using SettingMethod = ECNCDrawMethodConstants;

// Every member of the record under its own name, in the order of its dispatch
// identifiers. All members start at 0, False, empty or no object.
struct SkinSettings {
#define QEL_SETTING_MEMBER(Name, Kind, ...) Setting##Kind Name{};
    QEL_SKIN_SETTINGS(QEL_SETTING_MEMBER)
#undef QEL_SETTING_MEMBER
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
