#include "recorder/csv_export.h"

#include <fstream>
#include <system_error>

#include "recorder/recording_file.h"
#include "recorder/sqlite_db.h"

namespace bms::recorder {

namespace {

base::Failure NoRecording(const std::filesystem::path& path, std::string_view reason) {
  return {path.string() + " is no recording: " + std::string(reason),
          path.string() + " 不是录制文件：" + std::string(reason)};
}

base::Failure CannotWrite(const std::filesystem::path& path) {
  return {"Could not write " + path.string(), "无法写入 " + path.string()};
}

// The file must be an SQLite database whose meta table names this tool's format.
std::optional<base::Failure> CheckRecording(Database& db, const std::filesystem::path& path) {
  auto format = db.prepare("SELECT value FROM meta WHERE key = ?");
  if (!format.valid()) return NoRecording(path, db.lastError());
  format.bind(1, kFormatKey);
  if (!format.next() || format.text(0) != kFormatName) {
    return NoRecording(path, "no recording format mark");
  }
  return std::nullopt;
}

std::optional<base::Failure> ExportTable(Database& db, const std::filesystem::path& recording,
                                         std::string_view table,
                                         const std::filesystem::path& target) {
  auto rows = db.prepare("SELECT * FROM " + std::string(table));
  if (!rows.valid()) return NoRecording(recording, db.lastError());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  // The byte order mark tells spreadsheets that the file is UTF-8, not the local code page.
  out << "\xEF\xBB\xBF";
  const int columns = rows.columns();
  for (int c = 0; c < columns; ++c) out << (c > 0 ? "," : "") << CsvField(rows.columnName(c));
  out << "\r\n";
  while (rows.next()) {
    for (int c = 0; c < columns; ++c) out << (c > 0 ? "," : "") << CsvField(rows.text(c));
    out << "\r\n";
  }
  if (!rows.finished()) return NoRecording(recording, db.lastError());
  out.flush();
  if (!out) return CannotWrite(target);
  return std::nullopt;
}

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

ExportResult ExportCsv(const std::filesystem::path& recordingPath,
                       const std::filesystem::path& directory) {
  ExportResult result;
  std::error_code error;
  if (!std::filesystem::is_regular_file(recordingPath, error)) {
    result.failure = NoRecording(recordingPath, "no such file");
    return result;
  }
  Database db;
  if (!db.open(recordingPath, Database::Mode::ReadOnly)) {
    result.failure = NoRecording(recordingPath, db.lastError());
    return result;
  }
  if ((result.failure = CheckRecording(db, recordingPath))) return result;
  std::filesystem::create_directories(directory, error);
  if (error) {
    result.failure = CannotWrite(directory);
    return result;
  }
  for (const auto table : kExportedTables) {
    const auto target = directory / (std::string(table) + ".csv");
    if ((result.failure = ExportTable(db, recordingPath, table, target))) return result;
    result.files.push_back(target);
  }
  return result;
}

}  // namespace bms::recorder
