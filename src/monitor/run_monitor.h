#pragma once

#include <string_view>

#include "base/context.h"
#include "forms/form.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

// The run monitoring page: the five run data answers the BMC sends on its own, and the
// answers to the read buttons of the "附加信息" page. Decoders write straight into the
// controls; a data field may be short, malformed or hold a NaN, and every decoder still
// writes a defined text (see run_monitor_format.h) and touches nothing else.
namespace bms::monitor {

// What the last run data answers said, each overwritten by the next answer of its kind.
struct RunValues {
  double maxChargeCurrent = 0;  // A
  double maxChargeVoltage = 0;  // V
  double maxDischargeCurrent = 0;
  double maxDischargeVoltage = 0;
  double current = 0;  // A, negative while discharging
  double totalVoltage = 0;
  double power = 0;          // W
  double stateOfCharge = 0;  // %, up to 102.3
  double highestCellVoltage = 0;
  double lowestCellVoltage = 0;
  int highestCellTemperature = 0;  // °C
  int lowestCellTemperature = 0;
  int estimatedMinutes = 0;
};

// 09A10001 and 09A10002: maximum current and voltage of charging, of discharging.
void DecodeChargeAcceptance(forms::Form& main, RunValues& values, std::string_view data1,
                            std::string_view data2);
void DecodeDischargeCapability(forms::Form& main, RunValues& values, std::string_view data1,
                               std::string_view data2);
// 09A10003: current, total voltage and power, also on the calibration and DC charging pages.
void DecodeCurrentVoltagePower(forms::Form& main, RunValues& values, std::string_view data1,
                               std::string_view data2);
// 09A10004: main contactor, state of charge, cell voltage and temperature extremes.
void DecodeChargeStateAndCells(forms::Form& main, RunValues& values, std::string_view data1,
                               std::string_view data2);
// 09A10005: fault and warning flags, board temperatures, estimated time, 12 V supply.
void DecodeAlarmsAndTemperatures(forms::Form& main, RunValues& values, base::Alarms& alarms,
                                 std::string_view data1, std::string_view data2);
// Answers to the read buttons: 09A10013, 09A10021, 09A10043, 09A10045.
void DecodeFirmwareVersion(forms::Form& main, std::string_view data1);
void DecodeRemainingEnergy(forms::Form& main, std::string_view data1);
void DecodeExtremePositions(forms::Form& main, std::string_view data1, std::string_view data2);
void DecodeBoardTemperaturePositions(forms::Form& main, std::string_view data1);

// Owns the values kept between answers and the read buttons of the "附加信息" page.
class RunMonitor {
 public:
  RunMonitor(base::Context& context, link::LinkControl& link) : context_(context), link_(link) {}
  RunMonitor(const RunMonitor&) = delete;
  RunMonitor& operator=(const RunMonitor&) = delete;

  // Binds the read buttons; the main window must exist.
  void bind();

  RunValues& values() { return values_; }

 private:
  base::Context& context_;
  link::LinkControl& link_;
  RunValues values_;
};

// One registration per answer this page decodes.
void RegisterRunMonitorDecoders(Dispatcher& dispatcher, base::Context& context,
                                RunMonitor& monitor);

}  // namespace bms::monitor
