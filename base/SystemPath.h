// How a path is given to the wide file API of Windows: every file the programs
// and the control open, test, list, make or remove is named through SystemPath,
// so that long paths and names outside the code page reach it whole. The rule
// itself is portable, so that it is tested natively.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qel {

// The name by which the wide file API reaches `path`, given `whole`: the path
// made whole, as GetFullPathNameW makes it (empty when it could not be). While
// `whole` has fewer than 248 characters (where CreateDirectoryW stops without
// the prefix), `path` as it is; from there, `whole` with the long-path prefix
// ("\\?\", or "\\?\UNC\" for a network path "\\server\share"). A device
// path ("\\.\" or "\\?\") as it is.
// Nothing when `path` could not be made whole.
std::optional<std::wstring> SystemPathOf(std::wstring_view path, std::wstring_view whole);

#ifdef _WIN32
// `path` made whole, as GetFullPathNameW makes it; empty when it cannot be.
std::wstring WholePath(const std::wstring& path);

// `path` (in the ANSI code page) as the wide file API takes it, made whole by
// the system; nothing, with the last error set, when it cannot be made whole.
std::optional<std::wstring> SystemPath(const std::string& path);
#endif

} // namespace qel
