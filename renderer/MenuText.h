// Reading menu captions: the mnemonic after the first "&", and the split of a
// popup item's text into caption and shortcut at the first tab.
#pragma once
#include <string>

namespace qel {

// The character after the first "&" of a caption, as typed there (not
// upper-cased); empty when there is no "&" or it ends the caption. A doubled
// "&&" before any other gives "&".
std::string MnemonicOf(const std::string& caption);

// The text before the first tab is the caption, the text after it the shortcut
// (empty when there is no tab).
void SplitAtTab(const std::string& text, std::string& caption, std::string& shortcut);

} // namespace qel
