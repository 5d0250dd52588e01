#pragma once

#include <array>
#include <string_view>

#include "forms/form.h"

// The context holds a BicDetail and so includes this header: declarations only.
namespace bms::app {
struct Context;
}

namespace bms::monitor {

class Dispatcher;

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

// 09A10103: the BMC's answer to saving the number of installed BICs; anything but "AA"
// is a failure and raises the error flag.
void DecodeInstalledBicCountSaved(app::Context& context, std::string_view data1);

// Empties the cell detail view: every value "*" on its resting colour.
void ClearBicDetailView(forms::Form& main, BicDetail& detail);

// The reading switch was clicked: ticked starts reading the planned BIC, cleared empties
// the view and plans the first BIC again.
void OnReadCellInfoToggled(forms::Form& main, BicDetail& detail);

// One BIC down (not below 1) or up (not above the installed count, so 0 when none is
// installed). The view keeps the old BIC's values until the new BIC's frames arrive.
// The BIC calibration window's own buttons call these too.
void PreviousBic(forms::Form& main, BicDetail& detail);
void NextBic(forms::Form& main, BicDetail& detail);

// One accepted cell detail frame 09A11kbb of kind k = 1 to 7 from the planned BIC.
// Short or malformed data fields decode as zero bytes where they lack characters.
void DecodeCellDetailFrame(forms::Form& main, BicDetail& detail, int kind, std::string_view id,
                           std::string_view data1, std::string_view data2);

// 09A10101, 09A10103 and the cell detail frames.
void RegisterBicDetailDecoders(Dispatcher& dispatcher, app::Context& context);

// The reading switch and the "<" and ">" buttons of the cell detail group; the main
// window must exist.
void BindBicNavigation(app::Context& context);

}  // namespace bms::monitor
