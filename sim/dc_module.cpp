#include "sim/dc_module.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "sim/rng.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kFaultReset = 0x09A0FA0E;
constexpr std::int64_t kSettingsRead = 0x09A0FA10;
constexpr std::int64_t kSettingsSave = 0x09A0FA12;
constexpr std::int64_t kChargerReport = 0x09A0FA20;
constexpr std::int64_t kPauseState = 0x09A0FA22;
constexpr std::int64_t kPauseCommand = 0x09A0FA24;
constexpr std::int64_t kSupply = 0x09A0FA26;
constexpr std::int64_t kSocketTemperatures = 0x09A0FA30;
constexpr std::int64_t kAnswerOffset = 0x00010001;

constexpr std::array<int, 5> kSettingMax{2, 100, 95, 95, 2};
constexpr int kReportItems = 6;
constexpr std::string_view kUnused = "FFFFFFFF";

bool IsField(std::string_view text) { return text.size() == 8 && wire::IsHexText(text); }

int Byte(std::string_view field, int n) {
  return static_cast<int>(wire::HexToInteger(field.substr(static_cast<std::size_t>(2 * n - 2), 2)));
}

std::string FloatBits(double value) {
  return wire::DwordToHex8(std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

Frame Answered(std::int64_t request, std::string data1, std::string_view data2 = kUnused) {
  return Frame{wire::DwordToHex8(request + kAnswerOffset), std::move(data1), std::string(data2)};
}

}  // namespace

DcChargingModule::DcChargingModule(std::uint64_t seed, bool refuseSaves)
    : refuseSaves_(refuseSaves) {
  Rng rng(StreamSeed(seed, 3));
  constexpr double kRatings[] = {100, 125, 150, 200};
  maxOutputA_ = kRatings[rng.Between(0, 3)];
  supplyV_ = 12.0 + rng.Between(5, 15) / 100.0;
  for (int& c : socketBaseC_) c = rng.Between(25, 29);
}

bool DcChargingModule::Knows(std::int64_t request) {
  for (std::int64_t known : {kFaultReset, kSettingsRead, kSettingsSave, kChargerReport, kPauseState,
                             kPauseCommand, kSupply, kSocketTemperatures}) {
    if (request == known) return true;
  }
  return false;
}

std::optional<Frame> DcChargingModule::Answer(std::int64_t request, std::string_view data1,
                                              PackModel& pack) {
  if (!IsField(data1)) return std::nullopt;
  switch (request) {
    case kFaultReset:
      // Byte 1 "00" resets the module's charging fault state; there is nothing else to reset.
      return Answered(
          request, wire::ByteToHex2(Byte(data1, 1)) + (Byte(data1, 1) == 0 ? "AA" : "00") + "FFFF");
    case kSettingsRead:
    case kSettingsSave:
      return Settings(request, data1);
    case kChargerReport:
      return ChargerReport(Byte(data1, 1), pack);
    case kPauseState:
      return Answered(request, std::string("01") + (paused_ ? "00" : "01") + "FFFF");
    case kPauseCommand: {
      const bool valid = Byte(data1, 1) == 0x01 && Byte(data1, 2) <= 0x01;
      if (valid) {
        paused_ = Byte(data1, 2) == 0x00;
        pack.HoldCharging(paused_);
      }
      return Answered(request, std::string(valid ? "AA" : "00") + "FFFFFF");
    }
    case kSupply:
      return Answered(request, FloatBits(supplyV_));
    case kSocketTemperatures:
      return SocketTemperatures(pack);
    default:
      return std::nullopt;
  }
}

std::optional<Frame> DcChargingModule::Settings(std::int64_t request, std::string_view data1) {
  const int item = Byte(data1, 1);
  const bool known = item < static_cast<int>(settings_.size());
  const auto index = static_cast<std::size_t>(item);
  if (request == kSettingsRead) {
    if (!known) return std::nullopt;
    return Answered(request, wire::ByteToHex2(item) + wire::ByteToHex2(settings_[index]) + "FFFF");
  }
  const int value = Byte(data1, 2);
  const bool saved = known && !refuseSaves_ && value <= kSettingMax[index];
  if (saved) settings_[index] = value;
  return Answered(request, wire::ByteToHex2(item) + (saved ? "AA" : "00") + "FFFF");
}

// The charger's range covers the pack; it delivers what the pack takes while charging and
// nothing while the pack discharges.
Frame DcChargingModule::ChargerReport(int item, const PackModel& pack) const {
  const bool delivering = pack.charging();
  double value = 0;
  switch (item) {
    case 0:
      value = 50 * std::ceil(pack.chargeVoltageLimitV() / 50) + 50;
      break;
    case 1:
      value = 10 * std::floor(pack.dischargeVoltageLimitV() / 20);
      break;
    case 2:
      value = maxOutputA_;
      break;
    case 3:
      value = 1;
      break;
    case 4:
      value = delivering ? pack.totalVoltageV() : 0;
      break;
    case 5:
      value = delivering ? pack.actualCurrentA() : 0;
      break;
    default:
      break;
  }
  const bool known = item < kReportItems;
  return Answered(kChargerReport, wire::ByteToHex2(item) + (known ? "01" : "00") + "FFFF",
                  known ? FloatBits(value) : std::string(kUnused));
}

// The socket warms with the charging current through it.
Frame DcChargingModule::SocketTemperatures(const PackModel& pack) const {
  const int count = settings_[4];
  const int rise = pack.charging() ? static_cast<int>(std::lround(pack.actualCurrentA() / 10)) : 0;
  std::string data1 = wire::ByteToHex2(count);
  for (int sensor = 0; sensor < 2; ++sensor) {
    data1 += sensor < count
                 ? wire::ByteToHex2(socketBaseC_[static_cast<std::size_t>(sensor)] + rise)
                 : "FF";
  }
  return Answered(kSocketTemperatures, data1 + "FF");
}

}  // namespace bms::sim
