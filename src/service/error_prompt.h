#pragma once

#include "base/context.h"

namespace bms::service {

// Turns the error flag into "ERR" on the main window, one beep and a small prompt
// window that closes itself about three seconds after the error.
class ErrorDisplay {
 public:
  explicit ErrorDisplay(base::Context& context) : context_(context) {}

  // One step per refresh tick.
  void showErrorState();

 private:
  void openPrompt();

  base::Context& context_;
  int holdTicks_ = 0;
  int promptAge_ = 0;
};

}  // namespace bms::service
