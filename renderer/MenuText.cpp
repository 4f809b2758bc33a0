#include "renderer/MenuText.h"

namespace qel {

std::string MnemonicOf(const std::string& caption) {
    const size_t p = caption.find('&');
    if (p == std::string::npos || p + 1 >= caption.size()) return {};
    return caption.substr(p + 1, 1);
}

void SplitAtTab(const std::string& text, std::string& caption, std::string& shortcut) {
    const size_t tab = text.find('\t');
    if (tab == std::string::npos) {
        caption = text;
        shortcut.clear();
    } else {
        caption = text.substr(0, tab);
        shortcut = text.substr(tab + 1);
    }
}

} // namespace qel
