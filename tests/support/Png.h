// A minimal PNG writer for screenshots (RGB, uncompressed deflate blocks).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qel::test {

// rgb: width * height * 3 bytes, rows top to bottom. False when the file can't be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

} // namespace qel::test
