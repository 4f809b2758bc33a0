// The bitmap inside a picture object.
#pragma once
#include <olectl.h>

namespace qel {

// The picture's handle when it is a bitmap; null for no picture, an icon or a
// metafile.
inline HBITMAP PictureBitmap(IPicture* picture) {
    OLE_HANDLE handle = 0;
    if (!picture || FAILED(picture->get_Handle(&handle))) return nullptr;
    // GDI handles are 32-bit values, sign-extended on 64-bit Windows.
    auto bitmap = static_cast<HBITMAP>(LongToHandle(static_cast<LONG>(handle)));
    return GetObjectType(bitmap) == OBJ_BITMAP ? bitmap : nullptr;
}

} // namespace qel
