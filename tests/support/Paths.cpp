#include "tests/support/Paths.h"

#include <algorithm>

namespace qel::test {

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

} // namespace qel::test
