#include "creator/sheet/SkinFileNames.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace qel {
namespace {

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && EndsWithNoCase(a, b);
}

} // namespace

SaveTarget SaveTargetOf(const std::string& fileName, const std::string& fileTitle) {
    SaveTarget target;
    // A title longer than the file name leaves no folder rather than cutting past its start.
    target.folder =
        fileName.substr(0, fileName.size() - std::min(fileName.size(), fileTitle.size()));
    std::string name = fileTitle;
    if (EndsWithNoCase(name, ".bmp") || EndsWithNoCase(name, ".gif")) name.resize(name.size() - 4);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
    target.name = name;
    return target;
}

std::vector<std::string> FilesNotChosen(const SaveTarget& target, const std::string& fileName,
                                        bool asGif) {
    std::vector<std::string> files{target.Bitmap()};
    if (asGif) files.push_back(target.Gif());
    std::erase_if(files, [&](const std::string& file) { return SameName(file, fileName); });
    return files;
}

bool HasName(const std::string& skinName) {
    return skinName.find_first_not_of(' ') != std::string::npos;
}

std::string PreviewName(const std::string& skinName) {
    return HasName(skinName) ? skinName : "New Skin";
}

} // namespace qel
