#include "recorder/csv_export.h"

#include <fstream>
#include <system_error>

#include "recorder/recording_reader.h"
#include "recorder/sqlite_db.h"

namespace bms::recorder {

namespace {

base::Failure CannotWrite(const std::filesystem::path& path) {
  return {"Could not write " + path.string(), "无法写入 " + path.string()};
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
  Database db;
  if ((result.failure = OpenRecording(db, recordingPath))) return result;
  std::error_code error;
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
