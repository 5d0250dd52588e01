#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of an SQLite connection and its statements. Nothing throws: every call
// says whether it worked, and the connection keeps the last error's text.
namespace bms::recorder {

class Statement {
 public:
  Statement() = default;
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  bool valid() const { return statement_ != nullptr; }

  // Parameters count from 1.
  void bind(int index, std::int64_t value);
  void bind(int index, double value);
  void bind(int index, std::string_view text);
  void bindNull(int index);

  // One step of a statement that returns no rows, then ready for the next binding.
  bool run();
  // One row of a query; false at the end or on an error (see Database::lastError).
  bool next();
  // After next() returned false: true at the end of the rows, false on an error.
  bool finished() const { return finished_; }
  int columns() const;
  std::string columnName(int index) const;
  std::string text(int index) const;  // "" for NULL

 private:
  friend class Database;
  explicit Statement(sqlite3_stmt* statement) : statement_(statement) {}

  sqlite3_stmt* statement_ = nullptr;
  bool finished_ = false;
};

class Database {
 public:
  enum class Mode { Create, ReadOnly };

  Database() = default;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  // Create makes a new file and refuses one that is there already.
  bool open(const std::filesystem::path& path, Mode mode);
  void close();
  bool isOpen() const { return db_ != nullptr; }

  bool exec(std::string_view sql);
  // An invalid statement on an error.
  Statement prepare(std::string_view sql);

  std::string lastError() const;

 private:
  sqlite3* db_ = nullptr;
  std::string openError_;
};

}  // namespace bms::recorder
