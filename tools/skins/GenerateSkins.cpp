// Writes the skin sheets: the six built-in skins ("Skin1.gif" to "Skin6.gif")
// into the first folder, the showcase's extra skins into the second and the
// skin creator's own skin into the third.
#include "base/AtomicFile.h"
#include "tools/skins/SkinSheetFile.h"
#include "tools/skins/SkinTheme.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace {

void WriteSkins(const std::filesystem::path& folder, const std::vector<qel::SkinTheme>& skins) {
    std::filesystem::create_directories(folder);
    for (const qel::SkinTheme& skin : skins) {
        const std::vector<uint8_t> bytes = qel::SkinFile(skin);
        const std::string path = (folder / skin.fileName).string();
        std::string error;
        if (!qel::WriteFileReplacing(path, bytes.data(), bytes.size(), &error))
            throw std::runtime_error(path + ": " + error);
        std::printf("%s (%s)\n", path.c_str(), skin.name.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s BUILT_IN_FOLDER SHOWCASE_FOLDER CREATOR_FOLDER\n", argv[0]);
        return 2;
    }
    try {
        WriteSkins(argv[1], qel::BuiltInSkins());
        WriteSkins(argv[2], qel::ShowcaseSkins());
        WriteSkins(argv[3], {qel::CreatorSkin()});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
