#include "base/SystemPath.h"

namespace qel {
namespace {

constexpr size_t kLimit = 260; // MAX_PATH, the terminating null included

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

} // namespace qel
