#pragma once

#include <array>

namespace bms::base {

// What the tool knows of the BICs: how many are installed, which one's cells are being
// read, and the last values of that BIC. The link resets it, the poll reads it, the
// cell detail view writes it.
struct BicState {
  int installedCount = 1;
  bool countKnown = false;
  int plannedBic = 1;
  int cellsOnBic = 0;
  int sensorsOnBic = 0;
  std::array<int, 16> cellMillivolts{};
  std::array<int, 8> temperatures{};

  void clearValues() {
    cellMillivolts.fill(0);
    temperatures.fill(0);
  }
};

}  // namespace bms::base
