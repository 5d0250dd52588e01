#include "recorder/heat_map_tooltip.h"

#include <cmath>
#include <cstdio>

namespace bms::recorder {

namespace {

std::string Signed(double value) {
  char text[32];
  // Rounded first so that -0.04 shows as "+0.0", not "-0.0".
  const double rounded = std::round(value * 10) / 10;
  std::snprintf(text, sizeof text, "%+.1f", rounded == 0 ? 0.0 : rounded);
  return text;
}

}  // namespace

std::string AgeText(std::int64_t ageMs, base::Language language) {
  const bool english = language == base::Language::English;
  const auto seconds = ageMs / 1000;
  const auto n = [](std::int64_t value) { return std::to_string(value); };
  if (seconds < 60) return n(seconds) + (english ? " s" : " 秒");
  if (seconds < 3600) {
    return english ? n(seconds / 60) + " min " + n(seconds % 60) + " s"
                   : n(seconds / 60) + " 分 " + n(seconds % 60) + " 秒";
  }
  return english ? n(seconds / 3600) + " h " + n(seconds % 3600 / 60) + " min"
                 : n(seconds / 3600) + " 小时 " + n(seconds % 3600 / 60) + " 分";
}

std::string TileTooltip(const HeatTile& tile, HeatMapMode mode, base::Language language) {
  const bool english = language == base::Language::English;
  const bool voltage = mode == HeatMapMode::Voltage;
  const std::string unit = voltage ? " mV" : " °C";
  const auto bic = std::to_string(tile.bic);
  const auto place = std::to_string(tile.place);
  const auto value = std::to_string(tile.value) + unit;
  const auto deviation = Signed(tile.deviation) + unit;
  const auto age = AgeText(tile.ageMs, language);
  std::string text;
  if (english) {
    text = "BIC " + bic + (voltage ? ", cell " : ", sensor ") + place + ": " + value + ", " +
           deviation + " from the mean, read " + age + " ago";
    if (tile.balancing) text += ", balancing";
    if (tile.stale) text += ", stale";
  } else {
    text = "BIC " + bic + (voltage ? " 单体 " : " 温度点 ") + place + "：" + value + "，偏离均值 " +
           deviation + "，" + age + "前读取";
    if (tile.balancing) text += "，均衡中";
    if (tile.stale) text += "，已过时";
  }
  return text;
}

}  // namespace bms::recorder
