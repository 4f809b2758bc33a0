#include "creator/shell/CrosshairPointer.h"

namespace qel::creator {

forms::Picture CrosshairPointer() {
    UniqueIcon cursor(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "CROSSHAIR", IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
    return cursor ? PictureFromIcon(std::move(cursor)) : nullptr;
}

} // namespace qel::creator
