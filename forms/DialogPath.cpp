#include "forms/DialogPath.h"
#include "base/WideText.h"

#include <algorithm>
#include <optional>
#include <shlwapi.h>
#include <string_view>
#include <vector>

namespace qel::forms {
namespace {

// Whether a file name is a device's, whatever its case, its extension and
// blanks before that: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM and LPT with
// 1 to 9, and with a superscript 1 to 3 (devices from Windows 10 on).
bool IsDeviceName(std::wstring name) {
    name.erase(std::min(name.find(L'.'), name.size()));
    name.erase(name.find_last_not_of(L' ') + 1);
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (name == device) return true;
    return name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT")) &&
           std::wstring_view(L"123456789\u00B9\u00B2\u00B3").find(name[3]) != std::wstring::npos;
}

// The name inside the double quotes around it, blanks outside them ignored;
// nothing when a quote stands elsewhere (the dialog would take only the text
// between quotes, or several names).
std::optional<std::wstring> Unquoted(const std::wstring& typed) {
    const size_t first = typed.find_first_not_of(L' '), last = typed.find_last_not_of(L' ');
    if (typed.find(L'"') == std::wstring::npos) return typed;
    if (last > first && typed[first] == L'"' && typed[last] == L'"' &&
        typed.find(L'"', first + 1) == last)
        return typed.substr(first + 1, last - first - 1);
    return std::nullopt;
}

// The path with "." and ".." folded; its root (the drive and its "\", or
// "\\server\share\") stays.
std::wstring Folded(const std::wstring& path) {
    const wchar_t* rest = PathSkipRootW(path.c_str());
    const size_t root = rest ? rest - path.c_str() : 0;
    std::vector<std::wstring_view> parts;
    for (size_t start = root; start <= path.size();) {
        const size_t end = std::min(path.find(L'\\', start), path.size());
        const std::wstring_view part = std::wstring_view(path).substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::wstring folded = path.substr(0, root);
    for (size_t i = 0; i < parts.size(); ++i)
        (folded += i ? L"\\" : L"") += parts[i];
    return folded;
}

// The extension the dialog adds to a file name without one: the first of the
// filter's patterns gives it unless it has a wildcard there, the default
// otherwise; none without a default.
std::wstring AddedExtension(const std::wstring& defaultExt, const std::wstring& pattern) {
    if (defaultExt.empty()) return {};
    const std::wstring first = pattern.substr(0, pattern.find(L';'));
    const size_t dot = first.find(L'.');
    if (dot != std::wstring::npos && first.find_first_of(L"*?", dot) == std::wstring::npos)
        return first.substr(dot + 1);
    return defaultExt;
}

} // namespace

DialogPath DialogPathOf(const std::wstring& folder, const std::wstring& typed,
                        const std::wstring& defaultExt, const std::wstring& pattern,
                        const std::function<bool(const std::wstring&)>& isFolder) {
    const std::optional<std::wstring> name = Unquoted(typed);
    if (!name)
        return {{},
                "The name " + Narrow(typed) +
                    " has a double quote (\") inside it, which no file name can have: choose "
                    "another name."};
    if (name->empty()) return {};
    if (PathGetDriveNumberW(name->c_str()) >= 0 && (*name)[2] != L'\\')
        return {{},
                "The name \"" + Narrow(*name) +
                    "\" names a drive but no folder on it: type the whole path (" +
                    Narrow(name->substr(0, 2)) + "\\folder\\" + Narrow(name->substr(2)) +
                    ") or the name alone."};
    std::wstring path = *name;
    if (PathIsRelativeW(name->c_str()))
        path = folder + (folder.ends_with(L'\\') ? L"" : L"\\") + *name;
    else if (PathGetDriveNumberW(name->c_str()) < 0)
        path = folder.substr(0, 2) + *name; // from the root of the folder's drive
    path = Folded(path);
    if (!isFolder(path) && name->find_first_of(L"*?") == std::wstring::npos) {
        if (const std::wstring title = PathFindFileNameW(path.c_str()); IsDeviceName(title))
            return {{},
                    "The name \"" + Narrow(title) +
                        "\" is a device's (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1 to COM9, "
                        "LPT1 to LPT9, " +
                        Narrow(L"COM\u00B9 to COM\u00B3, LPT\u00B9 to LPT\u00B3") +
                        ", with any extension): choose another name."};
        if (const std::wstring added = AddedExtension(defaultExt, pattern);
            !*PathFindExtensionW(path.c_str()) && !added.empty())
            path += L"." + added;
    }
    if (path.size() <= kDialogPathMax) return {path, {}};
    return {path, "The name is too long: the file's path would have " +
                      std::to_string(path.size()) + " characters, and this dialog takes at most " +
                      std::to_string(kDialogPathMax) + ". Choose a shorter name or folder."};
}

} // namespace qel::forms
