#include "creator/shell/PreviewArt.h"

namespace qel::creator {
namespace {

forms::Picture ResourcePicture(const char* name, UINT type) {
    UniqueIcon image(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), name, type, 0, 0, LR_DEFAULTCOLOR)));
    return image ? PictureFromIcon(std::move(image)) : nullptr;
}

} // namespace

forms::Picture CrosshairPointer() {
    return ResourcePicture("CROSSHAIR", IMAGE_CURSOR);
}

forms::Picture SampleIcon() {
    return ResourcePicture("SAMPLEICON", IMAGE_ICON);
}

} // namespace qel::creator
