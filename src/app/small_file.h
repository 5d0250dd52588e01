#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace bms::app {

// Reads at most maxBytes of a file, so that a huge or endless file cannot exhaust
// memory; a missing or unreadable file reads as empty.
std::string ReadSmallFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace bms::app
