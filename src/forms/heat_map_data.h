#pragma once

#include <string>
#include <vector>

#include "forms/form_table.h"

namespace bms::forms {

// What a heat-map control shows: rows of coloured tiles, each row with a caption, and a
// legend that tells which colour means which value. The program prepares every text; the
// backend only draws.
struct HeatMapTile {
  Rgb colour;
  bool faded = false;      // an old value: drawn pale
  bool outlined = false;   // an extreme: drawn with a thick frame
  bool balancing = false;  // drawn with a mark of its own, not by colour alone
  std::string text;        // short, drawn on the tile
  std::string toolTip;     // shown while the pointer rests on the tile
  friend bool operator==(const HeatMapTile&, const HeatMapTile&) = default;
};

struct HeatMapRow {
  std::string caption;
  std::vector<HeatMapTile> tiles;
  friend bool operator==(const HeatMapRow&, const HeatMapRow&) = default;
};

struct HeatMapLegendEntry {
  Rgb colour;
  std::string text;
  friend bool operator==(const HeatMapLegendEntry&, const HeatMapLegendEntry&) = default;
};

struct HeatMapData {
  std::vector<HeatMapRow> rows;
  std::vector<HeatMapLegendEntry> legend;  // from the lowest value to the highest
  friend bool operator==(const HeatMapData&, const HeatMapData&) = default;
};

}  // namespace bms::forms
