#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "recorder/heat_map_colour.h"

// Every cell (or temperature sensor) of every BIC read so far, as the tiles of the pack
// heat map: each coloured by its deviation from the pack mean, the extremes outlined, and
// the tiles not read for a few polling rounds marked stale so that a window fades them.
//
// The cell detail answers of a BIC feed updateCells and updateTemperatures; a window asks
// for view() when it repaints, with StaleAfterMs of the installed BIC count, and
// TileTooltip (heat_map_tooltip.h) for the tile under the pointer.
namespace bms::recorder {

enum class HeatMapMode { Voltage, Temperature };
enum class Outline { None, Highest, Lowest };

inline constexpr int kHeatMapMaxBics = 253;
inline constexpr int kHeatMapMaxCells = 16;
inline constexpr int kHeatMapMaxSensors = 8;

// Smallest half-width of the colour scale, in mV and °C.
inline constexpr double kVoltageRangeFloor = 5;
inline constexpr double kTemperatureRangeFloor = 2;

struct HeatTile {
  int bic = 0;           // from 1
  int place = 0;         // cell or sensor number on its BIC, from 1
  int value = 0;         // mV or °C
  double deviation = 0;  // from the pack mean, mV or °C
  Rgb colour;
  bool balancing = false;  // cells only
  bool stale = false;
  std::int64_t ageMs = 0;  // since it was read
  Outline outline = Outline::None;
};

struct HeatMapView {
  HeatMapMode mode = HeatMapMode::Voltage;
  std::vector<HeatTile> tiles;  // by BIC, then by place
  std::vector<int> bics;        // the rows: BICs with a tile, ascending
  int columns = 0;              // the most tiles in one row
  double mean = 0;              // mV or °C
  double range = 0;             // the colour scale runs from mean - range to mean + range
  std::array<double, 5> legend{};
};

// How long a tile stays live: three rounds of the cell detail polling over all installed
// BICs, one BIC per poll.
std::int64_t StaleAfterMs(int installedBics, std::int64_t pollIntervalMs);

class HeatMap {
 public:
  // A BIC outside 1 to 253 is ignored; places beyond 16 cells or 8 sensors are cut off.
  // Bit n - 1 of balancing belongs to cell n.
  void updateCells(std::int64_t nowMs, int bic, std::span<const int> millivolts,
                   std::uint32_t balancing);
  void updateTemperatures(std::int64_t nowMs, int bic, std::span<const int> celsius);
  // Forgets every BIC, as for a new connection to another pack.
  void clear();

  // The mean, deviations and extremes are taken over every tile read so far, stale or
  // not: a stale value is still the best one known, it is only drawn faded.
  HeatMapView view(HeatMapMode mode, std::int64_t nowMs, std::int64_t staleAfterMs) const;

 private:
  template <std::size_t N>
  struct Readings {
    std::int64_t readMs = 0;
    int count = 0;  // 0 until the BIC is read
    std::array<int, N> values{};
  };
  struct Bic {
    Readings<kHeatMapMaxCells> cells;
    std::uint32_t balancing = 0;
    Readings<kHeatMapMaxSensors> sensors;
  };

  std::array<Bic, kHeatMapMaxBics> bics_{};
};

}  // namespace bms::recorder
