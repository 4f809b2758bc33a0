// The platform's font objects and colours as the forms runtime hands them out.
#pragma once
#include "base/ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

namespace qel {

// A new font object with the given face name, 8 points, normal weight, the
// default character set and no style. Null when it cannot be made.
inline ComPtr<IFontDisp> NewFontObject(const wchar_t* name) {
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(name),
                  {{80000, 0}},
                  FW_NORMAL,
                  DEFAULT_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    ComPtr<IFontDisp> font;
    OleCreateFontIndirect(&desc, IID_IFontDisp, font.put_void());
    return font;
}

// An OLE colour (system colours included) as an RGB value; -1 when it cannot be
// translated.
inline COLORREF TranslateColor(OLE_COLOR colour, HPALETTE palette = nullptr) {
    COLORREF rgb = 0;
    return SUCCEEDED(OleTranslateColor(colour, palette, &rgb)) ? rgb : static_cast<COLORREF>(-1);
}

} // namespace qel
