// Text between the system's ANSI strings and its wide strings.
#pragma once
#include <windows.h>
#include <string>

namespace qel {

inline std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

inline std::string Narrow(const wchar_t* w, size_t length) {
    if (!w || length == 0) return {};
    int n =
        WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(length), s.data(), n, nullptr, nullptr);
    return s;
}

inline std::string Narrow(const std::wstring& w) {
    return Narrow(w.data(), w.size());
}

} // namespace qel
