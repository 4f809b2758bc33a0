#include "control/FileHelpers.h"
#include "base/Handle.h"

namespace qel {

namespace {

using UniqueFind = UniqueHandle<HANDLE, FindClose>;
using UniqueFile = UniqueHandle<HANDLE, CloseHandle>;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

std::wstring WithTerminator(std::wstring path) {
    if (path.empty() || !IsSeparator(path.back())) path += L'\\';
    return path;
}

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the folders to create begin: after "X:\", "\\server\share\" or a
// leading "\"; at 0 for a relative path.
size_t FirstCreatable(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t server = path.find_first_of(L"\\/", 2);
        size_t share =
            server == std::wstring::npos ? server : path.find_first_of(L"\\/", server + 1);
        return share == std::wstring::npos ? path.size() : share + 1;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

} // namespace

bool FolderExists(const std::wstring& path) {
    const std::wstring folder = WithTerminator(path);
    WIN32_FIND_DATAW entry;
    HANDLE found = FindFirstFileW((folder + L"*.*").c_str(), &entry);
    if (found != INVALID_HANDLE_VALUE) {
        UniqueFind owner(found);
        return true;
    }
    // A drive's root folder lists nothing when it is empty.
    return GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(folder);
}

bool FileExists(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    UniqueFile owner(file);
    return true;
}

bool MakePath(const std::wstring& path) {
    if (path.empty()) return false;
    const std::wstring full = WithTerminator(path);
    for (size_t end = full.find_first_of(L"\\/", FirstCreatable(full)); end != std::wstring::npos;
         end = full.find_first_of(L"\\/", end + 1)) {
        const std::wstring level = full.substr(0, end);
        if (level.empty() || IsSeparator(level.back()) || IsFolder(level)) continue;
        if (!CreateDirectoryW(level.c_str(), nullptr) && !IsFolder(level)) return false;
    }
    return IsFolder(full);
}

void AddPathTerminator(std::wstring& path) {
    std::wstring trimmed = path.substr(0, path.find_last_not_of(L' ') + 1);
    if (trimmed.empty() || trimmed.back() != L'\\') path = trimmed + L'\\';
}

} // namespace qel
