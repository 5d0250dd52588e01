#include "recorder/recording_reader.h"

#include <string>
#include <system_error>

#include "recorder/recording_file.h"

namespace bms::recorder {

base::Failure NoRecording(const std::filesystem::path& path, std::string_view reason) {
  return {path.string() + " is no recording: " + std::string(reason),
          path.string() + " 不是录制文件：" + std::string(reason)};
}

std::optional<base::Failure> OpenRecording(Database& db, const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return NoRecording(path, "no such file");
  if (!db.open(path, Database::Mode::ReadOnly)) return NoRecording(path, db.lastError());
  auto format = db.prepare("SELECT value FROM meta WHERE key = ?");
  if (!format.valid()) return NoRecording(path, db.lastError());
  format.bind(1, kFormatKey);
  if (!format.next() || format.text(0) != kFormatName) {
    return NoRecording(path, "no recording format mark");
  }
  return std::nullopt;
}

}  // namespace bms::recorder
