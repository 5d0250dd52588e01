#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "base/context.h"
#include "base/platform.h"
#include "monitor/run_monitor.h"
#include "recorder/alarm_flags.h"
#include "recorder/recording_file.h"

namespace bms::recorder {

enum class Direction { Received, Sent };

// Records a session into one file while the application feeds it. The caller stamps every
// row with its own clock; the commit timer closes a transaction every second so that a
// crash loses at most the last second. A failed write stops the recording and is reported
// through onFailed; the application goes on working.
class Recorder {
 public:
  static constexpr int kCommitIntervalMs = 1000;

  explicit Recorder(std::unique_ptr<base::Timer> commitTimer);
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;
  ~Recorder();

  // Creates a new file; false (and onFailed) when it cannot be made or exists already.
  bool start(const std::filesystem::path& path, const RecordingMeta& meta, std::int64_t nowMs);
  // Commits the rest and closes the file.
  void stop();
  bool recording() const { return file_.isOpen(); }

  void onRunData(std::int64_t nowMs, const monitor::RunValues& values);
  // One BIC's cells (bit n - 1 of balancing for cell n) and temperature sensors.
  void onCells(std::int64_t nowMs, int bic, std::span<const int> cellsMv, std::uint32_t balancing,
               std::span<const int> temperatures);
  void onTraffic(std::int64_t nowMs, Direction direction, std::string_view line);
  // Writes the flags that changed since the last snapshot of this recording.
  void onAlarms(std::int64_t nowMs, const base::Alarms& alarms, const CellExtremes& extremes);

  // The commit timer calls it; callers may too.
  void commit();

  std::int64_t elapsedMs(std::int64_t nowMs) const;
  // The file with its write-ahead log, as it takes room on the disk now; 0 when idle.
  std::uintmax_t fileBytes() const;
  const std::filesystem::path& path() const { return path_; }

  std::function<void(const base::Failure&)> onFailed;

 private:
  void check(bool written);

  std::unique_ptr<base::Timer> timer_;
  RecordingFile file_;
  std::filesystem::path path_;
  std::int64_t startMs_ = 0;
  base::Alarms lastAlarms_;
};

}  // namespace bms::recorder
