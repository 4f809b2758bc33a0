// The path the system's open and save dialogs make of the text typed into their
// name box, as they read it: a name in double quotes without them; one that
// holds no drive joins the folder shown (one from the root, that folder's
// drive); "." and ".." folded; the extension they add to a file name without
// one. From it, why the dialogs must not take the name: Wine's dialog copies
// the path into buffers of MAX_PATH characters and faults on a longer one, and
// its save dialog faults on a drive-relative name ("C:name").
#pragma once
#include <functional>
#include <string>

namespace qel::forms {

// The longest path the file dialogs hold.
inline constexpr size_t kDialogPathMax = 259;

struct DialogPath {
    // The path the dialog acts on: a file (with the extension it adds), a
    // folder it opens, or a pattern it lists; empty when nothing was typed.
    std::wstring path;
    // Why the dialog must not take the name, in words; empty when it may.
    std::string refusal;
};

// What the dialog showing `folder` makes of `typed`, with `defaultExt` (its
// default extension without the dot, "" for none) and `pattern` (the chosen
// filter's, "*.gif;*.bmp"); `isFolder` tells an existing folder.
DialogPath DialogPathOf(const std::wstring& folder, const std::wstring& typed,
                        const std::wstring& defaultExt, const std::wstring& pattern,
                        const std::function<bool(const std::wstring&)>& isFolder);

} // namespace qel::forms
