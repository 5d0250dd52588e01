#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "monitor/run_monitor.h"
#include "recorder/alarm_journal.h"
#include "recorder/sqlite_db.h"

namespace bms::recorder {

// Written once into the meta table of a new recording.
struct RecordingMeta {
  std::string bmcNumber;
  std::string firmwareVersion;
  std::string toolVersion;
};

// The meta key and value that mark a file as a recording of this tool.
inline constexpr std::string_view kFormatKey = "format";
inline constexpr std::string_view kFormatName = "bms-recording";

// One recording file. Rows go into an open transaction that commit() closes, so a reader
// (or a crash) sees whole commits only. Every call returns false on a failed write and
// leaves the reason in lastError(); the file is then of no further use.
class RecordingFile {
 public:
  bool create(const std::filesystem::path& path, const RecordingMeta& meta, std::int64_t startMs);

  bool addRunData(std::int64_t timeMs, const monitor::RunValues& values);
  // Bit n - 1 of balancing belongs to cell n; at most 16 cells and 8 sensors.
  bool addCells(std::int64_t timeMs, int bic, std::span<const int> millivolts,
                std::uint32_t balancing);
  bool addTemperatures(std::int64_t timeMs, int bic, std::span<const int> celsius);
  bool addTraffic(std::int64_t timeMs, std::string_view direction, std::string_view line);
  bool addAlarm(const AlarmEvent& event);

  bool commit();
  // Commits what is pending and closes; false when that last commit failed.
  bool close();
  bool isOpen() const { return db_.isOpen(); }

  const std::string& lastError() const { return error_; }

 private:
  bool fail();
  void release();
  bool begin();
  bool insert(Statement& statement);

  Database db_;
  Statement runData_;
  Statement cells_;
  Statement temperatures_;
  Statement traffic_;
  Statement alarms_;
  Statement begin_;
  Statement commit_;
  bool inTransaction_ = false;
  std::string error_;
};

}  // namespace bms::recorder
