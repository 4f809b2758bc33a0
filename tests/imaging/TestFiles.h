// Files written by the imaging tests, under the build folder's test output
// (natively and under Wine, where the Unix path is reached through drive Z:).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qel::test {

// test-output/imaging/<name>, its folders created.
std::string ImagingOutputPath(const std::string& name);

bool FileExists(const std::string& path);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// The names of the files in a folder.
std::vector<std::string> FilesIn(const std::string& folder);

} // namespace qel::test
