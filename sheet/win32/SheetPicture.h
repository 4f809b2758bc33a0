// Skin sheets between OLE pictures and plain 32-bit pictures: the control reads
// a sheet's pixels from a 32-bit DIB (never from a bitmap of the display's
// depth) and makes the sliced pieces into bitmap pictures.
#pragma once
#include "base/ComPtr.h"
#include "sheet/SheetImage.h"

#include <ocidl.h>
#include <optional>
#include <string>

namespace qel {

// The picture's pixels; nothing, with the reason in `problem`, when the picture
// is empty, not a bitmap, or larger than a sheet can be (checked before the
// pixels are read).
std::optional<SheetImage> SheetFromPicture(IPictureDisp* picture, std::string* problem = nullptr);

// True when the picture reads as a skin sheet and slices into a frame, with or
// without a menu bar; otherwise the reason in `problem`.
bool IsUsableSheet(IPictureDisp* picture, std::string* problem = nullptr);

// A bitmap picture of `image` (null for an empty image).
ComPtr<IPictureDisp> PictureFromSheet(const SheetImage& image);

} // namespace qel
