#pragma once

#include <string>

// The tables of a recording. Cells and temperatures are stored one row per BIC and
// sample (a row per value would pass a gigabyte in a day of a large pack) and read as
// one row per value through the views `cells` and `temperatures`.
namespace bms::recorder {

inline constexpr int kMaxCells = 16;
inline constexpr int kMaxSensors = 8;

std::string RecordingSchema();

}  // namespace bms::recorder
