// Picture objects (the platform's OLE pictures) as the forms runtime gives them:
// loaded from BMP, GIF and ICO files, saved as BMP, measured and drawn.
#pragma once
#include "base/ComPtr.h"
#include "base/Handle.h"

#include <ocidl.h>
#include <olectl.h>
#include <string>

namespace qel::forms {

using Picture = ComPtr<IPictureDisp>;

// Loads a picture file (BMP, GIF, ICO; a relative path is taken from the current
// folder). An empty path gives no picture. A missing file throws run-time error
// 53, an empty, oversized or unreadable one 481; nothing else changes.
Picture LoadPicture(const std::string& path);

// Writes a picture as a Windows bitmap (24 bits per pixel; an icon is drawn on
// black). Throws 481 for no picture and 75 when the file cannot be written;
// an existing file is replaced only once the new one is complete.
void SavePicture(IPictureDisp* picture, const std::string& path);

// A picture owning the given handle.
Picture PictureFromBitmap(UniqueBitmap bitmap);
Picture PictureFromIcon(UniqueIcon icon);

// The picture's type (PICTYPE_*), PICTYPE_NONE for no picture.
short PictureType(IPictureDisp* picture);
// The picture's size in screen pixels; 0 x 0 for no picture.
SIZE PictureSize(IPictureDisp* picture);
// The picture's handle (bitmap, icon, ...), null for no picture.
HANDLE PictureHandle(IPictureDisp* picture);
// Draws the whole picture into `target` (stretched to it), transparency kept.
void RenderPicture(IPictureDisp* picture, HDC dc, const RECT& target);

} // namespace qel::forms
