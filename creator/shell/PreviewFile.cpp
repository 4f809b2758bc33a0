#include "creator/shell/PreviewFile.h"
#include "base/AtomicFile.h"
#include "base/WideText.h"
#include "creator/sheet/SkinBitmap.h"

namespace qel::creator {
namespace {

std::string& LastPreviewFile() {
    static std::string path;
    return path;
}

std::string TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length <= MAX_PATH ? Narrow(buffer, length) : std::string();
}

} // namespace

std::string WritePreviewFile(const SheetImage& sheet, const std::string& programFolder,
                             std::string* error) {
    const std::vector<uint8_t> bytes = SkinBitmapBytes(sheet);
    for (const std::string& folder : {programFolder, TempFolder()}) {
        if (folder.empty()) continue;
        const std::string path = folder + "Preview.skn";
        if (WriteFileReplacing(path, bytes.data(), bytes.size(), error))
            return LastPreviewFile() = path;
    }
    return {};
}

const std::string& PreviewFile() {
    return LastPreviewFile();
}

} // namespace qel::creator
