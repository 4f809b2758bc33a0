#include "tests/tools/SkinFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qel::test {

namespace {

std::string Native(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
#endif
    return path;
}

} // namespace

std::vector<std::pair<const SkinTheme*, SkinKind>> AllSkins() {
    std::vector<std::pair<const SkinTheme*, SkinKind>> all;
    for (const SkinTheme& t : BuiltInSkins())
        all.push_back({&t, SkinKind::BuiltIn});
    for (const SkinTheme& t : ShowcaseSkins())
        all.push_back({&t, SkinKind::Showcase});
    all.push_back({&CreatorSkin(), SkinKind::Creator});
    return all;
}

std::string CommittedSkinPath(const SkinTheme& theme, SkinKind kind) {
    const char* folder = kind == SkinKind::BuiltIn    ? "/control/skins/"
                         : kind == SkinKind::Showcase ? "/demo/Skins/"
                                                      : "/creator/";
    return Native(std::string(QEL_SOURCE_DIR) + folder + theme.fileName);
}

std::string SkinOutputPath(const std::string& name) {
    const char* root = std::getenv("QEL_TEST_OUTPUT");
    const std::string path =
        Native(std::string(root && *root ? root : "test-output") + "/skins/" + name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace qel::test
