#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "sim/counters.h"
#include "sim/frames.h"

namespace bms::sim {

// Factory writes: the six-digit factory prefix 09A030 and a sub-command. "00" sets the
// BMC number, "02" presets the cumulative run time, "04" and "06" the cumulative charge and
// discharge energy.
bool IsFactoryRequest(std::int64_t request);

// The acknowledgement ("AA" done, "00" refused) of a factory write, after changing `number`
// or `counters`; nothing for a sub-command the BMC does not have.
std::optional<Frame> FactoryAnswer(std::int64_t request, std::string_view data1,
                                   std::string_view data2, bool refuseChanges,
                                   std::uint32_t& number, Counters& counters);

}  // namespace bms::sim
