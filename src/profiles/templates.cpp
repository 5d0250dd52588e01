#include "profiles/templates.h"

#include <array>
#include <string>

namespace bms::profiles {

namespace {

constexpr std::string_view kCellVoltagePage = "参数标定选择夹.单体电压";
constexpr std::string_view kTemperaturePage = "参数标定选择夹.温度";

struct Values {
  // mV, rows V1 to V10: limit high and low, stop charge, restore charge, decrease
  // charge current, decrease discharge current, restore discharge, stop discharge,
  // balance-on difference, balance start.
  std::array<int, 10> cells;
  // °C, rows P1 to P12: limit high and low, charge high, decrease charge current high and
  // low, charge low, discharge high, decrease discharge current high and low, discharge
  // low, recovery difference, balance temperature gap.
  std::array<int, 12> temperatures;
};

// Limits at the datasheet's charge and discharge cut-offs, run voltages a little inside
// them; charging is kept out of the cold, where lithium plating starts, except for the
// chemistries whose datasheets allow it.
constexpr Values kLfp = {{3650, 2500, 3600, 3400, 3500, 3000, 2950, 2800, 30, 3400},
                         {65, -30, 55, 45, 10, 0, 60, 55, -10, -20, 5, 10}};
constexpr Values kLto = {{2800, 1500, 2700, 2550, 2650, 2000, 1950, 1800, 30, 2500},
                         {70, -45, 55, 50, -20, -30, 65, 60, -30, -40, 5, 10}};
constexpr Values kNcm = {{4200, 2750, 4150, 4000, 4100, 3300, 3200, 3000, 30, 3900},
                         {65, -30, 45, 40, 10, 0, 60, 55, -10, -20, 5, 10}};
constexpr Values kPolymer = {{4200, 3000, 4150, 4000, 4100, 3500, 3400, 3200, 30, 3950},
                             {65, -25, 45, 40, 10, 0, 60, 50, -10, -20, 5, 10}};
constexpr Values kSuperCapacitor = {{2700, 500, 2650, 2500, 2600, 1200, 1100, 1000, 50, 2400},
                                    {70, -45, 65, 60, -30, -40, 65, 60, -30, -40, 5, 10}};
constexpr Values kSodiumIon = {{3950, 1500, 3900, 3700, 3800, 2200, 2100, 2000, 30, 3600},
                               {65, -45, 55, 50, 0, -10, 60, 55, -30, -40, 5, 10}};

const Values& ValuesOf(Chemistry chemistry) {
  switch (chemistry) {
    case Chemistry::Lfp:
      return kLfp;
    case Chemistry::Lto:
      return kLto;
    case Chemistry::Ncm:
      return kNcm;
    case Chemistry::Polymer:
      return kPolymer;
    case Chemistry::SuperCapacitor:
      return kSuperCapacitor;
    case Chemistry::SodiumIon:
      break;
  }
  return kSodiumIon;
}

// The rows of a page tagged prefix1, prefix2, ... take the values in that order.
template <std::size_t N>
void AddPage(Profile& profile, std::string_view page, std::string_view prefix,
             const std::array<int, N>& values) {
  const auto catalogue = params::ParameterCatalogue();
  for (std::size_t i = 0; i < N; ++i) {
    const std::string tag = std::string(prefix) + std::to_string(i + 1);
    for (const auto& row : catalogue) {
      if (row.page != page || row.tag != tag) continue;
      profile.entries.push_back(
          {std::string(row.codec.readId), row.codec.item, std::to_string(values[i])});
    }
  }
}

}  // namespace

Profile ChemistryTemplate(Chemistry chemistry) {
  const Values& values = ValuesOf(chemistry);
  Profile profile;
  AddPage(profile, kCellVoltagePage, "V", values.cells);
  AddPage(profile, kTemperaturePage, "P", values.temperatures);
  return profile;
}

}  // namespace bms::profiles
