#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/form_table.h"

namespace bms::forms {

// One point of a chart line: x is a time in milliseconds since 1970, UTC. A NaN y breaks
// the line there, so that a stretch without data is never bridged.
struct ChartPoint {
  std::int64_t xMs = 0;
  double y = 0;
};

struct ChartSeries {
  std::string caption = {};
  std::string unit = {};
  // Lines of one scale share a value axis ("" = their unit's).
  std::string scale = {};
  Rgb colour = {};
  std::vector<ChartPoint> points = {};  // in x order
};

// A vertical line at a moment, captioned (a fault or warning coming on).
struct ChartMarker {
  std::int64_t xMs = 0;
  std::string caption = {};
  Rgb colour = {};
};

// Everything a chart control shows; the program hands it over whole.
struct ChartData {
  std::string caption = {};  // above the plot ("" = none)
  std::int64_t fromMs = 0;
  std::int64_t toMs = 0;
  std::vector<ChartSeries> series = {};
  std::vector<ChartMarker> markers = {};
};

}  // namespace bms::forms
