#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// Plays back what the tool received in a recording, so that a past session reaches the
// tool again as it happened.
namespace bms::sim {

// One client's pass through the received lines. The first line is due at the start, each
// later one its recorded distance from the first later, divided by the speed.
class ReplayStream {
 public:
  using Clock = std::chrono::steady_clock;

  // The next line, ending in CR LF, if it is due at `now`; none before then and at the end.
  std::optional<std::string> NextDue(Clock::time_point now);
  // When the next line falls due; none at the end.
  std::optional<Clock::time_point> NextTime() const;

 private:
  friend class Recording;
  struct Finalize {
    void operator()(sqlite3_stmt* statement) const;
  };
  ReplayStream(sqlite3_stmt* query, double speed, Clock::time_point start);
  void Fetch();

  std::unique_ptr<sqlite3_stmt, Finalize> query_;
  double speed_;
  Clock::time_point start_;
  std::optional<std::int64_t> firstMs_;
  std::optional<Clock::time_point> nextAt_;
  std::string nextLine_;
};

// A recording file opened read-only for its received lines.
class Recording {
 public:
  Recording() = default;
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;
  ~Recording();

  // False with a message when the file is missing or is not a recording.
  bool Open(const std::string& path, std::string& error);
  // A new pass from the first line; every stream must go before the recording.
  ReplayStream Stream(double speed, ReplayStream::Clock::time_point start) const;

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace bms::sim
