#include "forms/Picture.h"
#include "forms/RuntimeError.h"

namespace qel::forms {
namespace {
constexpr long kFileAccessError = 75;
}

Picture LoadPicture(const std::string& path, PictureBound bound) {
    if (path.empty()) return {};
    PictureProblem problem = PictureProblem::None;
    std::string error;
    Picture picture = LoadPictureFile(path, bound, &error, &problem);
    if (!picture)
        throw RuntimeError(problem == PictureProblem::Missing ? kFileNotFound : kInvalidPicture,
                           error);
    return picture;
}

void SavePicture(IPictureDisp* picture, const std::string& path) {
    if (PictureType(picture) == PICTYPE_NONE)
        throw RuntimeError(kInvalidPicture, "Invalid picture");
    std::string error;
    if (!SavePictureFile(picture, path, &error))
        throw RuntimeError(kFileAccessError, "Path/File access error: " + path);
}

} // namespace qel::forms
