#include "recorder/trend_loader.h"

#include <charconv>
#include <limits>
#include <string>

#include "recorder/recording_file.h"
#include "recorder/recording_reader.h"
#include "recorder/sqlite_db.h"

namespace bms::recorder {

namespace {

// NULL (as "") or an unreadable field becomes NaN, a gap in the chart.
double Number(const std::string& text) {
  double value = std::numeric_limits<double>::quiet_NaN();
  const auto end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::numeric_limits<double>::quiet_NaN();
  return value;
}

std::int64_t Time(const std::string& text) {
  std::int64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The columns of run_data in the order of TrendSeries; the spread has none, it is derived.
constexpr std::string_view kSampleQuery =
    "SELECT time, total_voltage_v, current_a, state_of_charge_pct, highest_cell_v, "
    "lowest_cell_v, highest_cell_temperature_c, lowest_cell_temperature_c FROM run_data "
    "ORDER BY time";

bool ReadSamples(Database& db, TrendStore& store) {
  auto rows = db.prepare(kSampleQuery);
  if (!rows.valid()) return false;
  while (rows.next()) {
    TrendSample sample{Time(rows.text(0)), {}};
    sample[TrendSeries::TotalVoltage] = Number(rows.text(1));
    sample[TrendSeries::Current] = Number(rows.text(2));
    sample[TrendSeries::StateOfCharge] = Number(rows.text(3));
    sample[TrendSeries::HighestCell] = Number(rows.text(4));
    sample[TrendSeries::LowestCell] = Number(rows.text(5));
    sample[TrendSeries::CellSpread] =
        (sample[TrendSeries::HighestCell] - sample[TrendSeries::LowestCell]) * 1000;
    sample[TrendSeries::HighestTemperature] = Number(rows.text(6));
    sample[TrendSeries::LowestTemperature] = Number(rows.text(7));
    store.append(sample);
  }
  return rows.finished();
}

bool ReadMarkers(Database& db, TrendStore& store) {
  auto rows = db.prepare(
      "SELECT time, kind, caption_zh, caption_en FROM alarms WHERE state = 'on' ORDER BY time");
  if (!rows.valid()) return false;
  while (rows.next()) {
    const auto kind =
        rows.text(1) == KindName(AlarmKind::Warning) ? AlarmKind::Warning : AlarmKind::Fault;
    store.addMarker({Time(rows.text(0)), kind, rows.text(2), rows.text(3)});
  }
  return rows.finished();
}

}  // namespace

LoadedTrend LoadTrend(const std::filesystem::path& recordingPath) {
  LoadedTrend result;
  Database db;
  if ((result.failure = OpenRecording(db, recordingPath))) return result;
  if (!ReadSamples(db, result.store) || !ReadMarkers(db, result.store)) {
    result.failure = NoRecording(recordingPath, db.lastError());
  }
  return result;
}

}  // namespace bms::recorder
