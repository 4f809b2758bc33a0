// Picture objects as the forms runtime gives them out: loaded from BMP, GIF,
// JPEG, PNG, icon and cursor files and saved, with the runtime's error numbers.
// Making, measuring and drawing pictures is base/PictureFile.h's.
#pragma once
#include "base/PictureFile.h"

namespace qel::forms {

using Picture = ComPtr<IPictureDisp>;
using qel::PictureFromBitmap;
using qel::PictureFromIcon;
using qel::PictureHandle;
using qel::PictureSize;
using qel::PictureType;
using qel::RenderPicture;

// Loads a picture file (BMP, GIF, JPEG, PNG, icon or cursor; a relative path is
// taken from the current folder). An empty path gives no picture. A missing file
// throws run-time error 53; an empty or unreadable one, one of another format or
// with headers that do not hold together, or one larger than `bound`, 481;
// nothing else changes.
Picture LoadPicture(const std::string& path, PictureBound bound);

// Writes a picture (a bitmap as a Windows bitmap, an icon as an icon). Throws
// 481 for no picture and 75 when the file cannot be written; an existing file is
// replaced only once the new one is complete.
void SavePicture(IPictureDisp* picture, const std::string& path);

} // namespace qel::forms
