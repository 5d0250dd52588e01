#include "sim/replay.h"

#include <sqlite3.h>

#include "recorder/recording_file.h"

namespace bms::sim {

namespace {

// Lines with the same stamp keep the order they were written in.
constexpr const char* kReceivedLines =
    "SELECT time, line FROM traffic WHERE direction = 'rx' ORDER BY time, rowid";

sqlite3_stmt* Prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return nullptr;
  return statement;
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text),
          static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

}  // namespace

void ReplayStream::Finalize::operator()(sqlite3_stmt* statement) const {
  sqlite3_finalize(statement);
}

ReplayStream::ReplayStream(sqlite3_stmt* query, double speed, Clock::time_point start)
    : query_(query), speed_(speed), start_(start) {
  Fetch();
}

// Reads one row ahead, so that the stream always knows when its next line is due. A read
// error (the file changed under us) ends the stream like its last line.
void ReplayStream::Fetch() {
  nextAt_.reset();
  if (!query_ || sqlite3_step(query_.get()) != SQLITE_ROW) {
    query_.reset();
    return;
  }
  const std::int64_t timeMs = sqlite3_column_int64(query_.get(), 0);
  if (!firstMs_) firstMs_ = timeMs;
  nextLine_ = ColumnText(query_.get(), 1);
  // Stored with or without its line end, it leaves with the one a direct link uses.
  while (!nextLine_.empty() && (nextLine_.back() == '\n' || nextLine_.back() == '\r'))
    nextLine_.pop_back();
  nextLine_ += "\r\n";
  const std::chrono::duration<double, std::milli> offset((timeMs - *firstMs_) / speed_);
  nextAt_ = start_ + std::chrono::duration_cast<Clock::duration>(offset);
}

std::optional<std::string> ReplayStream::NextDue(Clock::time_point now) {
  if (!nextAt_ || *nextAt_ > now) return std::nullopt;
  std::string line = std::move(nextLine_);
  Fetch();
  return line;
}

std::optional<ReplayStream::Clock::time_point> ReplayStream::NextTime() const { return nextAt_; }

Recording::~Recording() { sqlite3_close(db_); }

bool Recording::Open(const std::string& path, std::string& error) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    error = "cannot open the recording " + path + ": " + sqlite3_errmsg(db_);
    return false;
  }
  const std::string formatQuery =
      "SELECT value FROM meta WHERE key = '" + std::string(recorder::kFormatKey) + "'";
  std::unique_ptr<sqlite3_stmt, ReplayStream::Finalize> format(Prepare(db_, formatQuery));
  std::unique_ptr<sqlite3_stmt, ReplayStream::Finalize> lines(Prepare(db_, kReceivedLines));
  if (!format || !lines) {
    error = path + " is not a recording: " + sqlite3_errmsg(db_);
    return false;
  }
  if (sqlite3_step(format.get()) != SQLITE_ROW ||
      ColumnText(format.get(), 0) != recorder::kFormatName) {
    error = path + " is not a recording: it does not say it is one";
    return false;
  }
  return true;
}

ReplayStream Recording::Stream(double speed, ReplayStream::Clock::time_point start) const {
  return ReplayStream(Prepare(db_, kReceivedLines), speed, start);
}

}  // namespace bms::sim
