#pragma once

#include <string_view>

#include "base/context.h"
#include "forms/form.h"

namespace bms::monitor {

class Dispatcher;

// Back to idle: no reading of cell details, the first BIC planned.
void ResetBicNavigation(forms::Form& main, base::BicState& detail);

// 09A10101: the number of installed BICs is known; reading cell details may start.
void DecodeInstalledBicCount(forms::Form& main, base::BicState& detail, std::string_view data1);

// 09A10103: the BMC's answer to saving the number of installed BICs; anything but "AA"
// is a failure and raises the error flag.
void DecodeInstalledBicCountSaved(base::Context& context, std::string_view data1);

// Empties the cell detail view: every value "*" on its resting colour.
void ClearBicDetailView(forms::Form& main, base::BicState& detail);

// The reading switch was clicked: ticked starts reading the planned BIC, cleared empties
// the view and plans the first BIC again.
void OnReadCellInfoToggled(forms::Form& main, base::BicState& detail);

// One BIC down (not below 1) or up (not above the installed count, so 0 when none is
// installed). The view keeps the old BIC's values until the new BIC's frames arrive.
// The BIC calibration window's own buttons call these too.
void PreviousBic(forms::Form& main, base::BicState& detail);
void NextBic(forms::Form& main, base::BicState& detail);

// One accepted cell detail frame 09A11kbb of kind k = 1 to 7 from the planned BIC.
// Short or malformed data fields decode as zero bytes where they lack characters.
void DecodeCellDetailFrame(forms::Form& main, base::BicState& detail, int kind, std::string_view id,
                           std::string_view data1, std::string_view data2);

// 09A10101, 09A10103 and the cell detail frames.
void RegisterBicDetailDecoders(Dispatcher& dispatcher, base::Context& context);

// The reading switch and the "<" and ">" buttons of the cell detail group; the main
// window must exist.
void BindBicNavigation(base::Context& context);

}  // namespace bms::monitor
