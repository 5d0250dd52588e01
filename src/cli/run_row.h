#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/context.h"
#include "monitor/run_monitor.h"

// One complete run data set as the row monitor prints: plain numbers without units, so
// that a script or a spreadsheet can take them as they are.
namespace bms::cli {

inline constexpr std::array<std::string_view, 11> kRunRowColumns = {"time",
                                                                    "soc_pct",
                                                                    "total_voltage_v",
                                                                    "current_a",
                                                                    "power_w",
                                                                    "highest_cell_v",
                                                                    "lowest_cell_v",
                                                                    "highest_temperature_c",
                                                                    "lowest_temperature_c",
                                                                    "faults",
                                                                    "warnings"};

// Milliseconds since 1970 as UTC text: "2026-12-06T16:30:00.250Z".
std::string UtcTimeText(std::int64_t timeMs);

// The fields in column order; the flags as two hex digits, bit n for flag n.
std::vector<std::string> RunRowFields(std::int64_t timeMs, const monitor::RunValues& values,
                                      const base::Alarms& alarms);

// The fields joined by single spaces, ended by a line feed, for standard output.
std::string RunRowLine(const std::vector<std::string>& fields);
// The same as one CSV record ended by CR LF, like the exported tables.
std::string RunRowCsv(const std::vector<std::string>& fields);

}  // namespace bms::cli
