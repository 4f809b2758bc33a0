// The preview file "Preview.skn": the skin sheet a preview shows, written
// beside the program, or into the temp folder when the program's folder
// cannot be written.
#pragma once
#include "sheet/SheetImage.h"

#include <string>

namespace qel::creator {

// Writes `sheet` as the preview file, replacing an older one; the path
// written, or "" (with the reason in `error`) when neither folder takes it.
std::string WritePreviewFile(const SheetImage& sheet, const std::string& programFolder,
                             std::string* error = nullptr);

// Where the last preview was written ("" before the first): the file the
// preview form loads.
const std::string& PreviewFile();

} // namespace qel::creator
