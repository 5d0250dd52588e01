#pragma once

#include <cstdint>
#include <string>

#include "base/language.h"
#include "recorder/heat_map.h"

namespace bms::recorder {

// "3 s", "2 min 5 s", "1 h 4 min" and their Chinese forms.
std::string AgeText(std::int64_t ageMs, base::Language language);

// What hovering over a tile shows: where it is, its value, its deviation from the mean
// and how long ago it was read, then whether it is balancing or stale.
std::string TileTooltip(const HeatTile& tile, HeatMapMode mode, base::Language language);

}  // namespace bms::recorder
