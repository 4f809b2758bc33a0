// Folder and file tests, and creating a folder path. Paths (in the ANSI code
// page, as the platform's A functions take them) are in the
// platform's form (C:\Folder\Sub), with or without the final "\"; none of
// these raises an error.
#pragma once
#include <string>

namespace qel {

// True when the folder exists and its entries can be listed.
bool FolderExists(const std::string& path);

// True when the file exists and can be opened for reading (false for a folder,
// and for a file locked against reading).
bool FileExists(const std::string& path);

// Creates every missing folder of the path, level by level (the drive or the
// \\server\share part is not created). True when the whole path exists as a
// folder afterwards. The process's current folder is not touched.
bool MakePath(const std::string& path);

// Makes `path` end in "\": trailing blanks are removed first; a path that
// already ends in "\" stays as it is.
void AddPathTerminator(std::string& path);

} // namespace qel
