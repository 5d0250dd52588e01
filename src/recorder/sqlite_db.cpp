#include "recorder/sqlite_db.h"

#include <sqlite3.h>

#include <system_error>
#include <utility>

namespace bms::recorder {

Statement::Statement(Statement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)), finished_(other.finished_) {}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(statement_);
    statement_ = std::exchange(other.statement_, nullptr);
    finished_ = other.finished_;
  }
  return *this;
}

Statement::~Statement() { sqlite3_finalize(statement_); }

void Statement::bind(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
}

void Statement::bind(int index, double value) { sqlite3_bind_double(statement_, index, value); }

void Statement::bind(int index, std::string_view text) {
  sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                    SQLITE_TRANSIENT);
}

void Statement::bindNull(int index) { sqlite3_bind_null(statement_, index); }

bool Statement::run() {
  const int result = sqlite3_step(statement_);
  sqlite3_reset(statement_);
  return result == SQLITE_DONE;
}

bool Statement::next() {
  const int result = sqlite3_step(statement_);
  finished_ = result == SQLITE_DONE;
  return result == SQLITE_ROW;
}

int Statement::columns() const { return sqlite3_column_count(statement_); }

std::string Statement::columnName(int index) const {
  const char* name = sqlite3_column_name(statement_, index);
  return name != nullptr ? name : "";
}

std::string Statement::text(int index) const {
  const auto* value = sqlite3_column_text(statement_, index);
  if (value == nullptr) return {};
  return {reinterpret_cast<const char*>(value),
          static_cast<std::size_t>(sqlite3_column_bytes(statement_, index))};
}

Database::~Database() { close(); }

bool Database::open(const std::filesystem::path& path, Mode mode) {
  close();
  std::error_code error;
  if (mode == Mode::Create && std::filesystem::exists(path, error)) {
    openError_ = "file exists";
    return false;
  }
  const int flags =
      mode == Mode::Create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    openError_ = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
    close();
    return false;
  }
  openError_.clear();
  return true;
}

void Database::close() {
  // Statements are finalised by their owners first; v2 defers the close until then.
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool Database::exec(std::string_view sql) {
  const std::string text(sql);
  return sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

Statement Database::prepare(std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                         &statement, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    return Statement();
  }
  return Statement(statement);
}

std::string Database::lastError() const {
  if (db_ == nullptr) return openError_;
  return sqlite3_errmsg(db_);
}

}  // namespace bms::recorder
