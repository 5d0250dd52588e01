#include "app/factory_marker.h"

#include "app/small_file.h"

namespace bms::app {

namespace {

// A real marker holds a short ID prefix.
constexpr std::size_t kMaxMarkerBytes = 4096;

}  // namespace

std::optional<std::string> ReadFactoryMarker(const std::filesystem::path& programDir) {
  std::string text = ReadSmallFile(programDir / kFactoryMarkerFile, kMaxMarkerBytes);
  if (text.empty()) return std::nullopt;
  const auto end = text.find_last_not_of(" \t\r\n");
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

}  // namespace bms::app
