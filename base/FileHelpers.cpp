#include "base/FileHelpers.h"
#include "base/SystemPath.h"

#include <optional>

namespace qel {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string WithTerminator(std::string path) {
    if (path.empty() || !IsSeparator(path.back())) path += '\\';
    return path;
}

// Where the folders to create begin: after "X:\", "\\server\share\" or a
// leading "\"; at 0 for a relative path.
size_t FirstCreatable(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t server = path.find_first_of("\\/", 2);
        size_t share = server == std::string::npos ? server : path.find_first_of("\\/", server + 1);
        return share == std::string::npos ? path.size() : share + 1;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

} // namespace

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags) {
    const std::optional<std::wstring> name = SystemPath(path);
    return UniqueFile(
        name ? CreateFileW(name->c_str(), access, share, nullptr, disposition, flags, nullptr)
             : INVALID_HANDLE_VALUE);
}

DWORD FileAttributes(const std::string& path) {
    const std::optional<std::wstring> name = SystemPath(path);
    return name ? GetFileAttributesW(name->c_str()) : INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = FileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

UniqueFind FindFirst(const std::string& pattern, WIN32_FIND_DATAW& entry) {
    const std::optional<std::wstring> name = SystemPath(pattern);
    return UniqueFind(name ? FindFirstFileW(name->c_str(), &entry) : INVALID_HANDLE_VALUE);
}

bool FolderExists(const std::string& path) {
    const std::string folder = WithTerminator(path);
    WIN32_FIND_DATAW entry;
    if (FindFirst(folder + "*.*", entry)) return true;
    // A drive's root folder lists nothing when it is empty.
    return GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(folder);
}

bool FileExists(const std::string& path) {
    return static_cast<bool>(
        OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
}

bool MakePath(const std::string& path) {
    if (path.empty()) return false;
    const std::string full = WithTerminator(path);
    for (size_t end = full.find_first_of("\\/", FirstCreatable(full)); end != std::string::npos;
         end = full.find_first_of("\\/", end + 1)) {
        const std::string level = full.substr(0, end);
        if (level.empty() || IsSeparator(level.back()) || IsFolder(level)) continue;
        const std::optional<std::wstring> name = SystemPath(level);
        if (!(name && CreateDirectoryW(name->c_str(), nullptr)) && !IsFolder(level)) return false;
    }
    return IsFolder(full);
}

void AddPathTerminator(std::string& path) {
    std::string trimmed = path.substr(0, path.find_last_not_of(' ') + 1);
    if (trimmed.empty() || trimmed.back() != '\\') path = trimmed + '\\';
}

} // namespace qel
