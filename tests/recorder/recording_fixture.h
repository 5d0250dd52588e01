#pragma once

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace bms::recorder::test {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bms-rec-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

using Rows = std::vector<std::vector<std::string>>;

// Reads through a connection of its own, so it sees only what the recorder committed.
inline Rows Query(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  Rows rows;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int columns, char** values, char**) {
          auto& table = *static_cast<Rows*>(out);
          table.emplace_back();
          for (int c = 0; c < columns; ++c) table.back().push_back(values[c] ? values[c] : "NULL");
          return 0;
        },
        &rows, nullptr);
  }
  sqlite3_close(db);
  return rows;
}

}  // namespace bms::recorder::test
