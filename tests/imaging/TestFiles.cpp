#include "tests/imaging/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qel::test {

std::string ImagingOutputPath(const std::string& name) {
    const char* root = std::getenv("QEL_TEST_OUTPUT");
    std::string dir = root && *root ? root : "test-output";
#ifdef _WIN32
    if (dir[0] == '/') dir = "Z:" + dir;
#endif
    std::string path = dir + "/imaging/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace qel::test
