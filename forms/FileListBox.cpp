#include "forms/FileListBox.h"
#include "base/FileHelpers.h"
#include "base/SystemPath.h"
#include "base/WideText.h"
#include "forms/RuntimeError.h"

#include <shlwapi.h>
#include <algorithm>
#include <vector>

namespace qel::forms {
namespace {

std::string FullPath(const std::string& path) {
    const std::wstring full = WholePath(Widen(path));
    return full.empty() ? path : Narrow(full);
}

bool Matches(const std::string& name, const std::string& patterns) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string one = patterns.substr(start, end - start);
        if (!one.empty() && PathMatchSpecA(name.c_str(), one.c_str())) return true;
        start = end + 1;
    }
    return false;
}

} // namespace

FileListBox::FileListBox(Container& container, std::string name)
    : ListControl(container, std::move(name)) {
    std::wstring current(GetCurrentDirectoryW(0, nullptr), L'\0');
    current.resize(GetCurrentDirectoryW(DWORD(current.size()), current.data()));
    path_ = Narrow(current);
}

void FileListBox::Path(const std::string& path) {
    std::string full = FullPath(path);
    if (!IsFolder(full)) throw RuntimeError(kPathNotFound, "Path not found: " + path);
    if (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
    path_ = full;
    Fill();
}

void FileListBox::Pattern(const std::string& pattern) {
    pattern_ = pattern;
    Fill();
}

void FileListBox::Refresh() {
    Fill();
    ListControl::Refresh();
}

void FileListBox::Fill() {
    std::vector<std::string> names;
    std::string folder = path_;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    WIN32_FIND_DATAW found{};
    UniqueFind search = FindFirst(folder + "*", found);
    const DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (bool more = static_cast<bool>(search); more;
         more = FindNextFileW(search.get(), &found) != FALSE)
        if (const std::string name = Narrow(found.cFileName, wcslen(found.cFileName));
            !(found.dwFileAttributes & skip) && Matches(name, pattern_))
            names.push_back(name);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(hWnd(), LB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
        SendMessageA(hWnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

HRESULT FileListBox::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_PATH:
        return call.Property<std::string>([&] { return path_; }, [&](std::string p) { Path(p); });
    case DISPID_FORMS_PATTERN:
        return call.Property<std::string>([&] { return pattern_; },
                                          [&](std::string p) { Pattern(p); });
    }
    return ListControl::Invoke(call);
}

} // namespace qel::forms
