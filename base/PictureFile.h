// Pictures (the platform's OLE picture objects) and files: loading a BMP, GIF,
// JPEG or PNG image, an icon or a cursor (each checked before the platform
// decodes it), saving a picture, making pictures from handles, and measuring and
// drawing them.
#pragma once
#include "base/ComPtr.h"
#include "base/Handle.h"
#include "base/PictureHeader.h"

#include <ocidl.h>
#include <olectl.h>
#include <string>
#include <vector>

namespace qel {

// Why a file gave no picture: TooLarge for a picture refused for its size or
// cost, whose error says what is too large.
enum class PictureProblem { None, Missing, NotAPicture, TooLarge };

// The picture in `data`; null when the bytes are not an image the platform
// reads, or when they do not hold together or would cost more to decode than
// `bound` allows (checked before anything is decoded; see PictureWithin, which
// also says what `tooLarge` gets).
ComPtr<IPictureDisp> LoadPictureBytes(const void* data, size_t size, PictureBound bound,
                                      std::string* tooLarge = nullptr);
// The picture in the file `path`; null, with the reason in `error` and
// `problem`, when the file is missing (or a folder), unreadable, not an image,
// or larger than any picture file or than `bound` allows (TooLarge: the
// error then says what is too large or costly, and the bound).
ComPtr<IPictureDisp> LoadPictureFile(const std::string& path, PictureBound bound,
                                     std::string* error = nullptr,
                                     PictureProblem* problem = nullptr);
// The bytes of the file `path` once they pass the check LoadPictureFile makes
// before decoding; none, with the reason as LoadPictureFile gives it, when not.
std::vector<uint8_t> ReadPictureFile(const std::string& path, PictureBound bound,
                                     std::string* error = nullptr,
                                     PictureProblem* problem = nullptr);

// Writes a picture to `path` through a temporary file renamed into place: a
// bitmap as a 24-bit Windows bitmap, any other kind (icon, metafile) in its own
// format. False (the file left as it was) on failure.
bool SavePictureFile(IPictureDisp* picture, const std::string& path, std::string* error = nullptr);

// A picture object that takes the handle over (it goes with the picture).
ComPtr<IPictureDisp> PictureFromBitmap(UniqueBitmap bitmap);
ComPtr<IPictureDisp> PictureFromIcon(UniqueIcon icon);

// The picture's type (PICTYPE_*), PICTYPE_NONE for no picture.
short PictureType(IPictureDisp* picture);
// The picture's size in screen pixels; 0 x 0 for no picture.
SIZE PictureSize(IPictureDisp* picture);
// The picture's handle (bitmap, icon, ...), still owned by it; null for none.
HANDLE PictureHandle(IPictureDisp* picture);
// The bitmap handle of a bitmap picture, or null.
HBITMAP BitmapOfPicture(IPictureDisp* picture);
// Draws the whole picture into `target` (stretched to it), transparency kept.
void RenderPicture(IPictureDisp* picture, HDC dc, const RECT& target);

} // namespace qel
