// Files of the skin tests: the committed sheets in the source tree and the
// test output under the build folder (reached through drive Z: under Wine).
#pragma once
#include "tools/skins/SkinTheme.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qel::test {

// Every skin the generator draws, each with whether it is a built-in skin.
std::vector<std::pair<const SkinTheme*, bool>> AllSkins();

// The committed file of `theme`: control/skins for the built-in skins, demo/Skins for the others.
std::string CommittedSkinPath(const SkinTheme& theme, bool builtIn);
// test-output/skins/<name>, its folders created.
std::string SkinOutputPath(const std::string& name);
// The whole file; empty when it cannot be read.
std::vector<uint8_t> ReadBytes(const std::string& path);

} // namespace qel::test
