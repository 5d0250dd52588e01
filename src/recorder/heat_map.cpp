#include "recorder/heat_map.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace bms::recorder {

namespace {

template <typename ReadingsT>
void Store(ReadingsT& readings, std::int64_t nowMs, std::span<const int> values) {
  const auto count = std::min(values.size(), readings.values.size());
  std::copy_n(values.begin(), count, readings.values.begin());
  readings.count = static_cast<int>(count);
  readings.readMs = nowMs;
}

bool Valid(int bic) { return bic >= 1 && bic <= kHeatMapMaxBics; }

// Marks the first highest and first lowest tile; none when all tiles are equal, since
// then no cell stands out.
void OutlineExtremes(std::vector<HeatTile>& tiles) {
  if (tiles.empty()) return;
  const auto [lowest, highest] =
      std::minmax_element(tiles.begin(), tiles.end(),
                          [](const HeatTile& a, const HeatTile& b) { return a.value < b.value; });
  if (lowest->value == highest->value) return;
  // minmax_element finds the last of equal maxima; the first is the one to outline.
  const auto top = highest->value;  // a lambda may not capture a structured binding everywhere
  std::find_if(tiles.begin(), tiles.end(), [top](const HeatTile& tile) {
    return tile.value == top;
  })->outline = Outline::Highest;
  lowest->outline = Outline::Lowest;
}

}  // namespace

std::int64_t StaleAfterMs(int installedBics, std::int64_t pollIntervalMs) {
  constexpr int kRounds = 3;
  return kRounds * std::max(installedBics, 1) * pollIntervalMs;
}

void HeatMap::updateCells(std::int64_t nowMs, int bic, std::span<const int> millivolts,
                          std::uint32_t balancing) {
  if (!Valid(bic)) return;
  auto& entry = bics_[static_cast<std::size_t>(bic - 1)];
  Store(entry.cells, nowMs, millivolts);
  entry.balancing = balancing;
}

void HeatMap::updateTemperatures(std::int64_t nowMs, int bic, std::span<const int> celsius) {
  if (!Valid(bic)) return;
  Store(bics_[static_cast<std::size_t>(bic - 1)].sensors, nowMs, celsius);
}

void HeatMap::clear() { bics_.fill({}); }

HeatMapView HeatMap::view(HeatMapMode mode, std::int64_t nowMs, std::int64_t staleAfterMs) const {
  HeatMapView view;
  view.mode = mode;
  const bool voltage = mode == HeatMapMode::Voltage;
  double sum = 0;
  for (int bic = 1; bic <= kHeatMapMaxBics; ++bic) {
    const auto& entry = bics_[static_cast<std::size_t>(bic - 1)];
    const int count = voltage ? entry.cells.count : entry.sensors.count;
    if (count == 0) continue;
    const auto readMs = voltage ? entry.cells.readMs : entry.sensors.readMs;
    const auto ageMs = std::max<std::int64_t>(nowMs - readMs, 0);
    view.bics.push_back(bic);
    view.columns = std::max(view.columns, count);
    for (int place = 1; place <= count; ++place) {
      const auto slot = static_cast<std::size_t>(place - 1);
      HeatTile tile;
      tile.bic = bic;
      tile.place = place;
      tile.value = voltage ? entry.cells.values[slot] : entry.sensors.values[slot];
      tile.balancing = voltage && (entry.balancing >> slot & 1U) != 0;
      tile.ageMs = ageMs;
      tile.stale = ageMs > staleAfterMs;
      sum += tile.value;
      view.tiles.push_back(tile);
    }
  }
  if (view.tiles.empty()) return view;

  view.mean = sum / static_cast<double>(view.tiles.size());
  double largest = 0;
  for (auto& tile : view.tiles) {
    tile.deviation = tile.value - view.mean;
    largest = std::max(largest, std::abs(tile.deviation));
  }
  view.range = SymmetricRange(largest, voltage ? kVoltageRangeFloor : kTemperatureRangeFloor);
  view.legend = LegendValues(view.range);
  for (auto& tile : view.tiles) tile.colour = DivergingColour(tile.deviation, view.range);
  OutlineExtremes(view.tiles);
  return view;
}

}  // namespace bms::recorder
