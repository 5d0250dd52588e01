#pragma once

#include <array>

#include "forms/form.h"

namespace bms::monitor {

// What the tool knows of the BICs: how many are installed, which one's cells are being
// read, and the last values of that BIC.
struct BicDetail {
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

// Back to idle: no reading of cell details, the first BIC planned.
void ResetBicNavigation(forms::Form& main, BicDetail& detail);

}  // namespace bms::monitor
