#pragma once

#include <array>
#include <string_view>

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

// 09A10101: the number of installed BICs is known; reading cell details may start.
void DecodeInstalledBicCount(forms::Form& main, BicDetail& detail, std::string_view data1);

// Empties the cell detail view: every value "*" on its resting colour.
void ClearBicDetailView(forms::Form& main, BicDetail& detail);

}  // namespace bms::monitor
