#include "recorder/recording_schema.h"

#include <string_view>

namespace bms::recorder {

namespace {

// "prefix1 INTEGER, ..., prefixN INTEGER"
std::string NumberedColumns(std::string_view prefix, int count) {
  std::string columns;
  for (int n = 1; n <= count; ++n) {
    if (n > 1) columns += ", ";
    columns += std::string(prefix) + std::to_string(n) + " INTEGER";
  }
  return columns;
}

// Picks column prefixN of the set row for place n.
std::string PlaceCase(std::string_view prefix, int count) {
  std::string expression = "CASE p.n";
  for (int n = 1; n <= count; ++n) {
    const auto number = std::to_string(n);
    expression += " WHEN " + number + " THEN s." + std::string(prefix) + number;
  }
  return expression + " END";
}

// CROSS JOIN keeps the sets as the outer loop, so the view reads in time order and a
// condition on time uses the index of the sets.
std::string PlaceView(std::string_view view, std::string_view sets, std::string_view place,
                      std::string_view value, std::string_view extra, std::string_view prefix,
                      int count) {
  return "CREATE VIEW " + std::string(view) + " AS SELECT s.time AS time, s.bic AS bic, p.n AS " +
         std::string(place) + ", " + PlaceCase(prefix, count) + " AS " + std::string(value) +
         std::string(extra) + " FROM " + std::string(sets) +
         " AS s CROSS JOIN places AS p WHERE p.n <= s.count;\n";
}

}  // namespace

std::string RecordingSchema() {
  std::string schema =
      "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);\n"
      "CREATE TABLE run_data (time INTEGER NOT NULL, max_charge_current_a REAL, "
      "max_charge_voltage_v REAL, max_discharge_current_a REAL, max_discharge_voltage_v REAL, "
      "current_a REAL, total_voltage_v REAL, power_w REAL, state_of_charge_pct REAL, "
      "highest_cell_v REAL, lowest_cell_v REAL, highest_cell_temperature_c INTEGER, "
      "lowest_cell_temperature_c INTEGER, estimated_minutes INTEGER);\n"
      "CREATE INDEX run_data_time ON run_data (time);\n"
      "CREATE TABLE traffic (time INTEGER NOT NULL, direction TEXT NOT NULL, "
      "line TEXT NOT NULL);\n"
      "CREATE INDEX traffic_time ON traffic (time);\n"
      "CREATE TABLE alarms (time INTEGER NOT NULL, flag INTEGER NOT NULL, kind TEXT NOT NULL, "
      "state TEXT NOT NULL, caption_zh TEXT NOT NULL, caption_en TEXT NOT NULL, "
      "highest_bic INTEGER, highest_cell INTEGER, highest_mv INTEGER, lowest_bic INTEGER, "
      "lowest_cell INTEGER, lowest_mv INTEGER);\n"
      "CREATE INDEX alarms_time ON alarms (time);\n"
      "CREATE TABLE places (n INTEGER PRIMARY KEY);\n";
  schema += "WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM k WHERE n < " +
            std::to_string(kMaxCells) + ") INSERT INTO places SELECT n FROM k;\n";
  schema +=
      "CREATE TABLE cell_sets (time INTEGER NOT NULL, bic INTEGER NOT NULL, "
      "count INTEGER NOT NULL, balancing INTEGER NOT NULL, " +
      NumberedColumns("mv", kMaxCells) + ");\n";
  schema += "CREATE INDEX cell_sets_time ON cell_sets (time);\n";
  schema +=
      "CREATE TABLE temperature_sets (time INTEGER NOT NULL, bic INTEGER NOT NULL, "
      "count INTEGER NOT NULL, " +
      NumberedColumns("t", kMaxSensors) + ");\n";
  schema += "CREATE INDEX temperature_sets_time ON temperature_sets (time);\n";
  schema += PlaceView("cells", "cell_sets", "cell", "millivolts",
                      ", (s.balancing >> (p.n - 1)) & 1 AS balancing", "mv", kMaxCells);
  schema +=
      PlaceView("temperatures", "temperature_sets", "sensor", "celsius", "", "t", kMaxSensors);
  return schema;
}

}  // namespace bms::recorder
