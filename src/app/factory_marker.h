#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace bms::app {

inline constexpr std::string_view kFactoryMarkerFile = "BMS_Factory.txt";

// The factory marker: present and not empty switches the factory functions on. Its text
// becomes the front of factory frame IDs, so the line end and blanks that an editor
// leaves behind are dropped. Nothing when the file is missing, empty or unreadable.
std::optional<std::string> ReadFactoryMarker(const std::filesystem::path& programDir);

}  // namespace bms::app
