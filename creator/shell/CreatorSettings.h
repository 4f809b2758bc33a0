// Where the creator keeps its settings (the last folders used), and the
// caption its main window takes for a named skin.
#pragma once

namespace qel::creator {

inline constexpr char kSettingsApp[] = "Vantreo";
inline constexpr char kSettingsSection[] = "Settings";
// Followed by the skin's name.
inline constexpr char kSkinCaption[] = "Vantreo Skin Builder - ";

} // namespace qel::creator
