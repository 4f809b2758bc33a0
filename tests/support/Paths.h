// Paths of the build, as Windows programs under Wine see them.
#pragma once
#include <string>

namespace qel::test {

// A Unix absolute path through Wine's Z: drive, with backslashes; other paths
// only get backslashes.
std::string WindowsPath(std::string path);

} // namespace qel::test
