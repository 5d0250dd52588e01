#include "recorder/heat_map_colour.h"

#include <algorithm>
#include <cmath>

namespace bms::recorder {

namespace {

std::uint8_t Blend(std::uint8_t from, std::uint8_t to, double share) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * share));
}

Rgb Blend(Rgb from, Rgb to, double share) {
  return {Blend(from.red, to.red, share), Blend(from.green, to.green, share),
          Blend(from.blue, to.blue, share)};
}

}  // namespace

Rgb DivergingColour(double deviation, double range) {
  if (!(range > 0) || std::isnan(deviation)) return kMeanColour;
  const double share = std::clamp(deviation / range, -1.0, 1.0);
  return share < 0 ? Blend(kMeanColour, kBelowColour, -share)
                   : Blend(kMeanColour, kAboveColour, share);
}

double SymmetricRange(double largestDeviation, double floor) {
  const double wanted = std::max(std::abs(largestDeviation), floor);
  if (!(wanted > 0)) return 0;
  const double decade = std::pow(10.0, std::floor(std::log10(wanted)));
  for (const double step : {1.0, 2.0, 5.0}) {
    // A little slack so that 20 stays 20 rather than rounding up to 50.
    if (wanted <= step * decade * (1 + 1e-9)) return step * decade;
  }
  return 10 * decade;
}

std::array<double, 5> LegendValues(double range) {
  return {-range, -range / 2, 0, range / 2, range};
}

}  // namespace bms::recorder
