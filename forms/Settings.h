// The per-user settings store: string values by application, section and key,
// kept in the registry under HKEY_CURRENT_USER.
#pragma once
#include <string>

namespace qel::forms {

// The value stored under application, section and key, or `fallback` when there
// is none. Empty names are refused (run-time error 5).
std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& fallback = {});
// Stores a value (creating the application and section as needed); run-time error
// 5 for empty names or when it cannot be written.
void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value);

} // namespace qel::forms
