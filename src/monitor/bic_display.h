#pragma once

#include <cstdint>
#include <string>

#include "forms/form.h"
#include "monitor/bic_detail.h"

// How the cell detail group shows one BIC. Positions beyond what the BIC reports show
// "*"; a BIC that reports more than 16 cells or 8 sensors fills every position.
namespace bms::monitor {

inline constexpr forms::Rgb kCellBackground{128, 255, 0};
inline constexpr forms::Rgb kTemperatureBackground{255, 205, 155};

std::string CellVoltageLabel(int cell);    // "单体<n>电压标签"
std::string CellBalanceLabel(int cell);    // "单体<n>平衡标签"
std::string TemperatureLabel(int sensor);  // "温度<n>标签"

// Bit n - 1 of the bitmap is cell n: "ON" in red, "OFF" in black.
void ShowBalancing(forms::Form& main, const base::BicState& detail, std::uint32_t bitmap);
// Every cell from the stored millivolts, as volts with three decimals and "V".
void ShowCellVoltages(forms::Form& main, const base::BicState& detail);
// Every sensor from the stored temperatures, in whole °C without a unit.
void ShowTemperatures(forms::Form& main, const base::BicState& detail);

}  // namespace bms::monitor
