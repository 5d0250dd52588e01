#include "app/small_file.h"

#include <fstream>

namespace bms::app {

std::string ReadSmallFile(const std::filesystem::path& path, std::size_t maxBytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::string text(maxBytes, '\0');
  file.read(text.data(), static_cast<std::streamsize>(maxBytes));
  text.resize(static_cast<std::size_t>(file.gcount()));
  return text;
}

}  // namespace bms::app
