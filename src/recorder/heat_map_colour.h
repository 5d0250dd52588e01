#pragma once

#include <array>
#include <cstdint>

// The diverging colour scale of the heat map: blue below the pack mean, near white at
// it, red above, with a range symmetric about the mean so that equal deviations up and
// down look equally strong.
namespace bms::recorder {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBelowColour{33, 102, 172};
inline constexpr Rgb kMeanColour{247, 247, 247};
inline constexpr Rgb kAboveColour{178, 24, 43};

// The colour of a deviation on a scale from -range to +range; beyond it the end colours.
Rgb DivergingColour(double deviation, double range);

// The half-width of the scale: the largest deviation rounded up to 1, 2 or 5 times a
// power of ten, and never below floor, so that a pack of nearly equal cells is not
// painted in full colours by a deviation of a fraction of a millivolt.
double SymmetricRange(double largestDeviation, double floor);

// The values the legend labels, from -range to +range in equal steps.
std::array<double, 5> LegendValues(double range);

}  // namespace bms::recorder
