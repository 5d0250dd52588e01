#include "recorder/recording_file.h"

#include <algorithm>
#include <ctime>

#include "recorder/recording_schema.h"

namespace bms::recorder {

namespace {

std::string IsoTime(std::int64_t ms) {
  const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  const auto length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return {text, length};
}

std::string Placeholders(int count) {
  std::string text = "?";
  for (int n = 1; n < count; ++n) text += ", ?";
  return text;
}

}  // namespace

bool RecordingFile::fail() {
  error_ = db_.lastError();
  release();
  return false;
}

void RecordingFile::release() {
  runData_ = {};
  cells_ = {};
  temperatures_ = {};
  traffic_ = {};
  alarms_ = {};
  begin_ = {};
  commit_ = {};
  db_.close();
  inTransaction_ = false;
}

bool RecordingFile::create(const std::filesystem::path& path, const RecordingMeta& meta,
                           std::int64_t startMs) {
  if (!db_.open(path, Database::Mode::Create)) return fail();
  // WAL lets a reader follow the file while it grows; NORMAL still keeps every commit
  // through a crash of the tool, only a power cut may take the last ones.
  if (!db_.exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;") || !db_.exec("BEGIN;") ||
      !db_.exec(RecordingSchema())) {
    return fail();
  }
  auto metaRow = db_.prepare("INSERT INTO meta (key, value) VALUES (?, ?)");
  const std::pair<std::string_view, std::string> rows[] = {
      {kFormatKey, std::string(kFormatName)},
      {"format_version", "1"},
      {"bmc_number", meta.bmcNumber},
      {"firmware_version", meta.firmwareVersion},
      {"tool_version", meta.toolVersion},
      {"start_time", IsoTime(startMs)},
      {"start_time_ms", std::to_string(startMs)},
  };
  for (const auto& [key, value] : rows) {
    metaRow.bind(1, key);
    metaRow.bind(2, value);
    if (!metaRow.run()) return fail();
  }
  metaRow = {};
  if (!db_.exec("COMMIT;")) return fail();

  runData_ = db_.prepare("INSERT INTO run_data VALUES (" + Placeholders(14) + ")");
  cells_ = db_.prepare("INSERT INTO cell_sets VALUES (" + Placeholders(4 + kMaxCells) + ")");
  temperatures_ =
      db_.prepare("INSERT INTO temperature_sets VALUES (" + Placeholders(3 + kMaxSensors) + ")");
  traffic_ = db_.prepare("INSERT INTO traffic VALUES (?, ?, ?)");
  alarms_ = db_.prepare("INSERT INTO alarms VALUES (" + Placeholders(12) + ")");
  begin_ = db_.prepare("BEGIN");
  commit_ = db_.prepare("COMMIT");
  const bool prepared = runData_.valid() && cells_.valid() && temperatures_.valid() &&
                        traffic_.valid() && alarms_.valid() && begin_.valid() && commit_.valid();
  return prepared || fail();
}

bool RecordingFile::begin() {
  if (!db_.isOpen()) return false;
  if (inTransaction_) return true;
  if (!begin_.run()) return fail();
  inTransaction_ = true;
  return true;
}

bool RecordingFile::insert(Statement& statement) { return statement.run() || fail(); }

bool RecordingFile::addRunData(std::int64_t timeMs, const monitor::RunValues& v) {
  if (!begin()) return false;
  runData_.bind(1, timeMs);
  const double reals[] = {v.maxChargeCurrent,
                          v.maxChargeVoltage,
                          v.maxDischargeCurrent,
                          v.maxDischargeVoltage,
                          v.current,
                          v.totalVoltage,
                          v.power,
                          v.stateOfCharge,
                          v.highestCellVoltage,
                          v.lowestCellVoltage};
  int index = 2;
  for (const double value : reals) runData_.bind(index++, value);
  runData_.bind(index++, std::int64_t{v.highestCellTemperature});
  runData_.bind(index++, std::int64_t{v.lowestCellTemperature});
  runData_.bind(index, std::int64_t{v.estimatedMinutes});
  return insert(runData_);
}

bool RecordingFile::addCells(std::int64_t timeMs, int bic, std::span<const int> millivolts,
                             std::uint32_t balancing) {
  if (!begin()) return false;
  const int count = std::min(static_cast<int>(millivolts.size()), kMaxCells);
  cells_.bind(1, timeMs);
  cells_.bind(2, std::int64_t{bic});
  cells_.bind(3, std::int64_t{count});
  cells_.bind(4, std::int64_t{balancing});
  for (int n = 0; n < kMaxCells; ++n) {
    if (n < count) {
      cells_.bind(5 + n, std::int64_t{millivolts[static_cast<std::size_t>(n)]});
    } else {
      cells_.bindNull(5 + n);
    }
  }
  return insert(cells_);
}

bool RecordingFile::addTemperatures(std::int64_t timeMs, int bic, std::span<const int> celsius) {
  if (!begin()) return false;
  const int count = std::min(static_cast<int>(celsius.size()), kMaxSensors);
  temperatures_.bind(1, timeMs);
  temperatures_.bind(2, std::int64_t{bic});
  temperatures_.bind(3, std::int64_t{count});
  for (int n = 0; n < kMaxSensors; ++n) {
    if (n < count) {
      temperatures_.bind(4 + n, std::int64_t{celsius[static_cast<std::size_t>(n)]});
    } else {
      temperatures_.bindNull(4 + n);
    }
  }
  return insert(temperatures_);
}

bool RecordingFile::addTraffic(std::int64_t timeMs, std::string_view direction,
                               std::string_view line) {
  if (!begin()) return false;
  traffic_.bind(1, timeMs);
  traffic_.bind(2, direction);
  traffic_.bind(3, line);
  return insert(traffic_);
}

bool RecordingFile::addAlarm(const AlarmEvent& event) {
  if (!begin()) return false;
  const auto& flag = event.describe();
  alarms_.bind(1, event.timeMs);
  alarms_.bind(2, std::int64_t{event.flag});
  alarms_.bind(3, KindName(flag.kind));
  alarms_.bind(4, std::string_view(event.on ? "on" : "off"));
  alarms_.bind(5, flag.chinese);
  alarms_.bind(6, flag.english);
  const CellPoint points[] = {event.extremes.highest, event.extremes.lowest};
  int index = 7;
  for (const auto& point : points) {
    alarms_.bind(index++, std::int64_t{point.bic});
    alarms_.bind(index++, std::int64_t{point.cell});
    alarms_.bind(index++, std::int64_t{point.millivolts});
  }
  return insert(alarms_);
}

bool RecordingFile::commit() {
  if (!db_.isOpen()) return false;
  if (!inTransaction_) return true;
  if (!commit_.run()) return fail();
  inTransaction_ = false;
  return true;
}

bool RecordingFile::close() {
  if (!db_.isOpen()) return true;
  const bool committed = commit();
  release();
  return committed;
}

}  // namespace bms::recorder
