#include "app/cell_extremes.h"

#include <cmath>

#include "wire/frame_bytes.h"

namespace bms::app {

void CellExtremesTracker::onCells(int bic, std::span<const int> millivolts) {
  cells_[bic].assign(millivolts.begin(), millivolts.end());
}

void CellExtremesTracker::onExtremePositions(std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  highest_ = recorder::CellPoint{static_cast<int>(bytes.byte(1)), static_cast<int>(bytes.byte(2))};
  lowest_ = recorder::CellPoint{static_cast<int>(bytes.byte(3)), static_cast<int>(bytes.byte(4))};
}

void CellExtremesTracker::clear() {
  cells_.clear();
  highest_.reset();
  lowest_.reset();
}

recorder::CellPoint CellExtremesTracker::locate(
    int millivolts, const std::optional<recorder::CellPoint>& told) const {
  for (const auto& [bic, cells] : cells_) {
    for (std::size_t n = 0; n < cells.size(); ++n) {
      if (cells[n] == millivolts) return {bic, static_cast<int>(n) + 1, millivolts};
    }
  }
  recorder::CellPoint point = told.value_or(recorder::CellPoint{});
  point.millivolts = millivolts;
  return point;
}

recorder::CellExtremes CellExtremesTracker::extremes(const monitor::RunValues& values) const {
  const auto highest = static_cast<int>(std::lround(values.highestCellVoltage * 1000.0));
  const auto lowest = static_cast<int>(std::lround(values.lowestCellVoltage * 1000.0));
  return {locate(highest, highest_), locate(lowest, lowest_)};
}

}  // namespace bms::app
