// The names a save takes from the file chosen in the save dialog, and the name
// a preview shows.
#pragma once
#include <string>
#include <vector>

namespace qel {

// Where a save writes: folder & name & ".bmp" and, for a GIF save,
// folder & name & ".gif".
struct SaveTarget {
    std::string folder; // with its final "\"
    std::string name;   // the skin's new name

    std::string Bitmap() const { return folder + name + ".bmp"; }
    std::string Gif() const { return folder + name + ".gif"; }
};

// From the dialog's FileName and FileTitle: the folder is the file name less
// its title; the name is the title less a final ".bmp" or ".gif" (in any
// case), then less everything from its last remaining "." on.
SaveTarget SaveTargetOf(const std::string& fileName, const std::string& fileTitle);

// The files a save to `target` writes under a name other than the chosen
// `fileName` (the only one the dialog asks about), a GIF save's bitmap among
// them.
std::vector<std::string> FilesNotChosen(const SaveTarget& target, const std::string& fileName,
                                        bool asGif);

// Whether a skin name is one: not empty and not only blanks.
bool HasName(const std::string& skinName);

// The name a preview shows: "New Skin" for a skin without a name.
std::string PreviewName(const std::string& skinName);

} // namespace qel
