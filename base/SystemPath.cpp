#include "base/SystemPath.h"

#ifdef _WIN32
#include "base/WideText.h"
#endif

namespace qel {
namespace {

// Whole paths from this length on are given with the prefix: without it Windows
// takes up to 259 characters for a file, but CreateDirectoryW only up to 247.
constexpr size_t kLimit = 248;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

} // namespace

std::optional<std::wstring> SystemPathOf(std::wstring_view path, std::wstring_view whole) {
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
        (path[2] == L'.' || path[2] == L'?') && IsSeparator(path[3]))
        return std::wstring(path);
    if (whole.empty()) return std::nullopt;
    if (whole.size() < kLimit) return std::wstring(path);
    if (whole.starts_with(L"\\\\")) return L"\\\\?\\UNC" + std::wstring(whole.substr(1));
    return L"\\\\?\\" + std::wstring(whole);
}

#ifdef _WIN32
std::wstring WholePath(const std::wstring& path) {
    std::wstring whole(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    whole.resize(GetFullPathNameW(path.c_str(), DWORD(whole.size()), whole.data(), nullptr));
    return whole;
}

std::optional<std::wstring> SystemPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    std::optional<std::wstring> name = SystemPathOf(wide, WholePath(wide));
    if (!name) SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return name;
}
#endif

} // namespace qel
