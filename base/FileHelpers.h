// Folder and file tests, opening a file, and creating a folder path. Paths (in
// the ANSI code page) are in the platform's form (C:\Folder\Sub), with or
// without the final "\", and of any length: each reaches the wide file API
// through SystemPath. None of these raises an error.
#pragma once
#include "base/Handle.h"

#include <string>

namespace qel {

// The file opened as CreateFileW opens it; empty, with the last error set, when
// it cannot be.
UniqueFile OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags = FILE_ATTRIBUTE_NORMAL);

// The attributes of a file or folder; INVALID_FILE_ATTRIBUTES when there is none.
DWORD FileAttributes(const std::string& path);

// True when the path names an existing folder.
bool IsFolder(const std::string& path);

// The first entry matching `pattern` (a folder and a name with wildcards), to go
// on with FindNextFileW; empty when none matches.
UniqueFind FindFirst(const std::string& pattern, WIN32_FIND_DATAW& entry);

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
