#include "sim/recording_maker.h"

#include <memory>
#include <string>

#include "recorder/recorder.h"
#include "sim/frames.h"
#include "sim/stepped_timer.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

base::Alarms AlarmsOf(std::uint8_t faults, std::uint8_t warnings) {
  base::Alarms alarms;
  for (std::size_t bit = 0; bit < 8; ++bit) {
    alarms.faults[bit] = (faults >> bit & 1) != 0;
    alarms.warnings[bit] = (warnings >> bit & 1) != 0;
  }
  return alarms;
}

}  // namespace

monitor::RunValues RunValuesOf(const PackModel& pack) {
  monitor::RunValues v;
  v.maxChargeCurrent = pack.maxChargeCurrentA();
  v.maxChargeVoltage = pack.chargeVoltageLimitV();
  v.maxDischargeCurrent = pack.maxDischargeCurrentA();
  v.maxDischargeVoltage = pack.dischargeVoltageLimitV();
  v.current = pack.currentA();
  v.totalVoltage = pack.totalVoltageV();
  v.power = v.current * v.totalVoltage;
  v.stateOfCharge = pack.socPercent();
  v.highestCellVoltage = pack.highestCell().value / 1000.0;
  v.lowestCellVoltage = pack.lowestCell().value / 1000.0;
  v.highestCellTemperature = pack.hottestSensor().value;
  v.lowestCellTemperature = pack.coldestSensor().value;
  v.estimatedMinutes = pack.estimatedMinutes();
  return v;
}

std::string MakeRecording(const std::filesystem::path& path, const MadeRecording& made) {
  // The commit timer ticks once a simulated second.
  auto timer = std::make_unique<SteppedTimer>();
  SteppedTimer& commitTimer = *timer;
  recorder::Recorder recorder(std::move(timer));
  std::string error;
  recorder.onFailed = [&error](const base::Failure& failure) {
    if (error.empty()) error = failure.english;
  };
  const std::string number = std::to_string(made.bmcNumber);
  if (!recorder.start(path, {number, std::to_string(kFirmwareVersion), "bmc-sim"}, made.startMs)) {
    return error.empty() ? "cannot write " + path.string() : error;
  }
  const std::string bmcField = wire::BmcNumberToHex(number);
  PackModel pack(made.seed, made.bics);
  const long seconds = made.hours * 3600L;
  for (long s = 0; s < seconds && error.empty(); ++s) {
    const std::int64_t now = made.startMs + s * 1000;
    pack.Step();
    const bool alarmsOn = s >= seconds / 2;
    const std::uint8_t faults = alarmsOn ? made.faults : 0;
    const std::uint8_t warnings = alarmsOn ? made.warnings : 0;
    for (const auto& frame : RunDataFrames(pack, faults, warnings)) {
      recorder.onTraffic(now, recorder::Direction::Received, BmcFrameLine(bmcField, frame));
    }
    recorder.onRunData(now, RunValuesOf(pack));
    const Position high = pack.highestCell();
    const Position low = pack.lowestCell();
    recorder.onAlarms(now, AlarmsOf(faults, warnings),
                      {{high.bic, high.index, high.value}, {low.bic, low.index, low.value}});
    commitTimer.tick();
  }
  recorder.stop();
  return error;
}

}  // namespace bms::sim
