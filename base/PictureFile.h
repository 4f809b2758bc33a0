// Pictures and files: loading an image the platform decodes (BMP, GIF, ICO...)
// into an OLE picture, and saving a bitmap picture as a Windows bitmap file.
#pragma once
#include "base/ComPtr.h"
#include "base/Handle.h"

#include <ocidl.h>
#include <olectl.h>
#include <string>

namespace qel {

// The picture in `data`; null when the bytes are not an image the platform reads.
ComPtr<IPictureDisp> LoadPictureBytes(const void* data, size_t size);
// The picture in the file `path` (any path the platform opens); null with a
// reason in `error` when the file is missing, unreadable or not an image.
ComPtr<IPictureDisp> LoadPictureFile(const std::string& path, std::string* error = nullptr);

// Writes a picture to `path` through a temporary file renamed into place: a
// bitmap as a 24-bit Windows bitmap, any other kind (icon, metafile) in its own
// format. False (the file left as it was) on failure.
bool SavePictureFile(IPictureDisp* picture, const std::string& path,
                     std::string* error = nullptr);

// A picture object that takes `bitmap` over (it goes with the picture).
ComPtr<IPictureDisp> PictureFromBitmap(UniqueBitmap bitmap);
// The bitmap handle of a bitmap picture (still owned by the picture), or null.
HBITMAP BitmapOfPicture(IPictureDisp* picture);

} // namespace qel
