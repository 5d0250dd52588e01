#pragma once

#include "profiles/profile.h"

namespace bms::profiles {

// The six chemistry templates of the quick-setting buttons: cell limit and run voltages
// and temperature limits typical of public datasheets, to be checked against the cells.
enum class Chemistry { Lfp, Lto, Ncm, Polymer, SuperCapacitor, SodiumIon };
Profile ChemistryTemplate(Chemistry chemistry);

}  // namespace bms::profiles
