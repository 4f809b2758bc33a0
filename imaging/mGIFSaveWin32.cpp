#include "imaging/cDIB.h"
#include "imaging/mGIFSave.h"

namespace qel {

bool SaveGIF(const std::string& fileName, const cDIB& image, const cPal8bpp& palette,
             int transparentIndex, bool interlaced, const std::string& comment) {
    return SaveGIF(fileName, image.View(), palette, transparentIndex, interlaced, comment);
}

} // namespace qel
