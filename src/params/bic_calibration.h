#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "base/context.h"
#include "base/platform.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

namespace bms::params {

// The BIC calibration window: writes the reference voltage of the BIC whose cells the
// main window shows, or calibrates it with a measured cell voltage. The window keeps no
// state of its own; a timer mirrors the main window's BIC numbers into it while it is
// open.
class BicCalibration {
 public:
  BicCalibration(base::Context& context, link::LinkControl& link);
  BicCalibration(const BicCalibration&) = delete;
  BicCalibration& operator=(const BicCalibration&) = delete;

  // The main window's button that opens the window; the main window must exist.
  void bind();
  // The answers 09A12D.. and 09A12F..; while the window is closed they are dropped.
  void registerDecoders(monitor::Dispatcher& dispatcher);
  // The window (or the main window with it) has closed: the mirror stops.
  void onClosed();

 private:
  void open();
  void bindWindow(forms::Form& window);
  void mirror();
  // Runs `action` only while the main window shows which BIC answered, and raises
  // the error flag otherwise.
  void whileBicKnown(void (BicCalibration::*action)());
  // The number of the BIC that answered last, if it may be addressed.
  std::optional<std::int64_t> currentBic();
  void onReadReference();
  void onWriteReference();
  void onCalibrateCell();
  void onSwitchToCellView();
  void onPreviousBic();
  void onNextBic();
  void send(std::int64_t bic, std::string_view command, std::string_view data1);
  forms::Form* window();

  base::Context& context_;
  link::LinkControl& link_;
  std::unique_ptr<base::Timer> mirrorTimer_;
};

}  // namespace bms::params
