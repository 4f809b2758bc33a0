// Files of the skin tests: the committed sheets in the source tree and the
// test output under the build folder (reached through drive Z: under Wine).
#pragma once
#include "tools/skins/SkinTheme.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qel::test {

enum class SkinKind { BuiltIn, Showcase, Creator };

// Every skin the generator draws, each with its kind.
std::vector<std::pair<const SkinTheme*, SkinKind>> AllSkins();

// The committed file of `theme`: control/skins for the built-in skins,
// demo/Skins for the showcase's, creator/ for the creator's own.
std::string CommittedSkinPath(const SkinTheme& theme, SkinKind kind);
// test-output/skins/<name>, its folders created.
std::string SkinOutputPath(const std::string& name);
// The whole file; empty when it cannot be read.
std::vector<uint8_t> ReadBytes(const std::string& path);

} // namespace qel::test
