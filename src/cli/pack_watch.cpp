#include "cli/pack_watch.h"

#include <algorithm>
#include <cstddef>

#include "forms/tables.h"
#include "monitor/bic_detail.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"

namespace bms::cli {

namespace {

constexpr std::string_view kRunDataPrefix = "09A1000";   // answers 1 to 5
constexpr std::string_view kCellDetailPrefix = "09A11";  // 09A11kbb, kind k of BIC bb
constexpr std::size_t kMostCells = 16;
constexpr std::size_t kMostSensors = 8;

bool IsEightHexDigits(std::string_view field) {
  return field.size() == 8 && wire::IsHexText(field);
}

}  // namespace

PackWatch::PackWatch() : main_(forms::MainWindowTable()) {}

void PackWatch::onFrame(std::string_view id, std::string_view data1, std::string_view data2) {
  // Decoded, a cut answer would show zeros as if the controller had sent them.
  if (!IsEightHexDigits(id) || !IsEightHexDigits(data1) || !IsEightHexDigits(data2)) return;
  if (id.starts_with(kRunDataPrefix) && id[7] >= '1' && id[7] <= '5') {
    onRunDataFrame(id[7] - '1', data1, data2);
  } else if (wire::TextEquals(id, "09A10101")) {
    monitor::DecodeInstalledBicCount(main_, count_, data1);
  } else if (id.starts_with(kCellDetailPrefix)) {
    onCellDetailFrame(id, data1, data2);
  }
}

void PackWatch::onRunDataFrame(int answer, std::string_view data1, std::string_view data2) {
  switch (answer) {
    case 0:
      monitor::DecodeChargeAcceptance(main_, values_, data1, data2);
      break;
    case 1:
      monitor::DecodeDischargeCapability(main_, values_, data1, data2);
      break;
    case 2:
      monitor::DecodeCurrentVoltagePower(main_, values_, data1, data2);
      break;
    case 3:
      monitor::DecodeChargeStateAndCells(main_, values_, data1, data2);
      break;
    default:
      monitor::DecodeAlarmsAndTemperatures(main_, values_, alarms_, data1, data2);
      if (onAlarms) onAlarms(alarms_);
      break;
  }
  answers_[static_cast<std::size_t>(answer)] = true;
  if (std::ranges::all_of(answers_, [](bool seen) { return seen; })) {
    answers_.fill(false);
    if (onRunData) onRunData(values_, alarms_);
  }
}

void PackWatch::onCellDetailFrame(std::string_view id, std::string_view data1,
                                  std::string_view data2) {
  const int kind = id[5] - '0';
  if (kind < 1 || kind > 7 || !count_.countKnown) return;
  const int bic = static_cast<int>(wire::HexToInteger(id.substr(6)));
  if (bic < 1 || bic > count_.installedCount) return;
  auto& reading = bics_[bic];
  monitor::DecodeCellDetailFrame(main_, reading.state, kind, id, data1, data2);
  if (kind == 1) {
    reading.balancing = static_cast<std::uint32_t>(wire::FrameBytes(data1, data2).word(3));
  }
  reading.kinds[static_cast<std::size_t>(kind)] = true;
  if (!std::all_of(reading.kinds.begin() + 1, reading.kinds.end(),
                   [](bool seen) { return seen; })) {
    return;
  }
  reading.kinds.fill(false);
  const auto& state = reading.state;
  const auto cells = std::min(static_cast<std::size_t>(std::max(state.cellsOnBic, 0)), kMostCells);
  const auto sensors =
      std::min(static_cast<std::size_t>(std::max(state.sensorsOnBic, 0)), kMostSensors);
  reading.last = BicCells{bic,
                          {state.cellMillivolts.begin(),
                           state.cellMillivolts.begin() + static_cast<std::ptrdiff_t>(cells)},
                          reading.balancing,
                          {state.temperatures.begin(),
                           state.temperatures.begin() + static_cast<std::ptrdiff_t>(sensors)}};
  if (onCells) onCells(*reading.last);
}

std::optional<std::string> PackWatch::nextRequest() {
  if (!count_.countKnown) return "09A00100";
  if (count_.installedCount < 1) return std::nullopt;
  if (nextBic_ > count_.installedCount) nextBic_ = 1;
  return "09A010" + wire::ByteToHex2(nextBic_++);
}

recorder::CellExtremes PackWatch::extremes() const {
  recorder::CellExtremes extremes;
  bool any = false;
  for (const auto& [bic, reading] : bics_) {
    if (!reading.last) continue;
    for (std::size_t n = 0; n < reading.last->cellsMv.size(); ++n) {
      const recorder::CellPoint point{bic, static_cast<int>(n) + 1, reading.last->cellsMv[n]};
      if (!any || point.millivolts > extremes.highest.millivolts) extremes.highest = point;
      if (!any || point.millivolts < extremes.lowest.millivolts) extremes.lowest = point;
      any = true;
    }
  }
  return extremes;
}

}  // namespace bms::cli
