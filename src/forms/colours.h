#pragma once

#include "forms/form_table.h"

// The colours the program paints its labels and lamps with.
namespace bms::forms::colours {

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kSilver{192, 192, 192};  // also the resting grey of blinking labels
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kOrange{255, 128, 0};

}  // namespace bms::forms::colours
