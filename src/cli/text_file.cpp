#include "cli/text_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace bms::cli {

std::variant<std::string, FileFailure> ReadTextFile(const std::string& path, std::size_t maxBytes) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return FileFailure{path + ": " + error.message()};
  if (size > maxBytes) {
    return FileFailure{path + ": larger than " + std::to_string(maxBytes) + " bytes"};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileFailure{path + ": cannot be opened"};
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return FileFailure{path + ": cannot be read"};
  return text;
}

std::variant<std::monostate, FileFailure> ReplaceTextFile(const std::string& path,
                                                          const std::string& text) {
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return FileFailure{path + ": cannot be written"};
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return FileFailure{path + ": cannot be replaced"};
  }
  return std::monostate{};
}

}  // namespace bms::cli
