#include "forms/Settings.h"
#include "base/Handle.h"
#include "forms/RuntimeError.h"

#include <vector>

namespace qel::forms {
namespace {

constexpr char kRoot[] = "Software\\Qel Program Settings\\";

std::string KeyPath(const std::string& app, const std::string& section, const std::string& key) {
    if (app.empty() || section.empty() || key.empty())
        throw RuntimeError(kInvalidCall, "Invalid procedure call or argument");
    return kRoot + app + "\\" + section;
}

} // namespace

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& fallback) {
    const std::string path = KeyPath(app, section, key);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return fallback;
    UniqueKey owner(opened);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(opened, key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return fallback;
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(opened, key.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return fallback;
    return data.data();
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
    const std::string path = KeyPath(app, section, key);
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        throw RuntimeError(kInvalidCall, "Cannot write the setting " + key);
    UniqueKey owner(created);
    if (RegSetValueExA(created, key.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw RuntimeError(kInvalidCall, "Cannot write the setting " + key);
}

} // namespace qel::forms
