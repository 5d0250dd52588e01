#pragma once

#include <string_view>

#include "base/context.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

namespace bms::params {

// The calibration of the pack current, the total voltage and the DC charging port's
// current: a new scale, a step correction, the zero point and the read-backs. Each
// button sends one request; its answer writes the label that showed "Wait". No state is
// kept beyond the controls.
class SensorCalibration {
 public:
  SensorCalibration(base::Context& context, link::LinkControl& link);
  SensorCalibration(const SensorCalibration&) = delete;
  SensorCalibration& operator=(const SensorCalibration&) = delete;

  // The buttons and the divider check box; the main window must exist.
  void bind();
  // The decoders of every answer these requests get.
  void registerDecoders(monitor::Dispatcher& dispatcher);

  // The controls of one current channel (the pack's, or the DC port's own sensor).
  struct CurrentChannel {
    std::string_view model;        // combo box
    std::string_view sensorValue;  // edit box, amperes per millivolt
    std::string_view calibrate;    // button
    std::string_view zeroValue;    // edit box
    std::string_view manualZero;   // button
    std::string_view rangeLabel;
    std::string_view zeroLabel;
    std::string_view calibrateId;
    std::string_view setZeroId;
  };
  // A step combo box, its two buttons and where their request goes.
  struct StepControls {
    std::string_view step;
    std::string_view increase;
    std::string_view decrease;
    std::string_view rangeLabel;
    std::string_view calibrateId;
  };

 private:
  void onCurrentScale(const CurrentChannel& channel);
  void onVoltageScale();
  void onStep(const StepControls& controls, bool increase);
  void onManualZero(const CurrentChannel& channel);
  void onDividerBox();
  void send(std::string_view label, std::string_view id, std::string_view data1,
            std::string_view data2);

  base::Context& context_;
  link::LinkControl& link_;
};

}  // namespace bms::params
