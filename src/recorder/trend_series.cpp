#include "recorder/trend_series.h"

namespace bms::recorder {

const TrendSeriesInfo& Describe(TrendSeries series) {
  static constexpr std::array<TrendSeriesInfo, kTrendSeriesCount> kInfo{{
      {"总电压", "Total voltage", "V"},
      {"电流", "Current", "A"},
      {"SOC", "State of charge", "%"},
      {"最高单体电压", "Highest cell voltage", "V"},
      {"最低单体电压", "Lowest cell voltage", "V"},
      {"单体压差", "Cell voltage spread", "mV"},
      {"最高温度", "Highest temperature", "°C"},
      {"最低温度", "Lowest temperature", "°C"},
  }};
  return kInfo[static_cast<std::size_t>(series)];
}

TrendSample SampleOf(std::int64_t timeMs, const monitor::RunValues& values) {
  TrendSample sample{timeMs, {}};
  sample[TrendSeries::TotalVoltage] = values.totalVoltage;
  sample[TrendSeries::Current] = values.current;
  sample[TrendSeries::StateOfCharge] = values.stateOfCharge;
  sample[TrendSeries::HighestCell] = values.highestCellVoltage;
  sample[TrendSeries::LowestCell] = values.lowestCellVoltage;
  // Millivolts: the spread of a healthy pack is a few thousandths of a volt.
  sample[TrendSeries::CellSpread] = (values.highestCellVoltage - values.lowestCellVoltage) * 1000;
  sample[TrendSeries::HighestTemperature] = values.highestCellTemperature;
  sample[TrendSeries::LowestTemperature] = values.lowestCellTemperature;
  return sample;
}

}  // namespace bms::recorder
