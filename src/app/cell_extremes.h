#pragma once

#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "monitor/run_monitor.h"
#include "recorder/alarm_flags.h"

namespace bms::app {

// Where the pack's highest and lowest cell are, as far as the tool knows: the voltages come
// from the run data; the place from the cells read from each BIC, else from the controller's
// last answer about the extremes' positions, else it stays 0 (unknown).
class CellExtremesTracker {
 public:
  // A BIC's cells as last read; they stand until that BIC is read again.
  void onCells(int bic, std::span<const int> millivolts);
  // 09A10043: the controller's BIC and cell of the highest and the lowest cell voltage.
  void onExtremePositions(std::string_view data1, std::string_view data2);
  // A new connection may reach another pack.
  void clear();

  recorder::CellExtremes extremes(const monitor::RunValues& values) const;

 private:
  recorder::CellPoint locate(int millivolts, const std::optional<recorder::CellPoint>& told) const;

  std::map<int, std::vector<int>> cells_;
  std::optional<recorder::CellPoint> highest_;
  std::optional<recorder::CellPoint> lowest_;
};

}  // namespace bms::app
