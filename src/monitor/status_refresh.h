#pragma once

#include "app/context.h"
#include "service/error_prompt.h"

namespace bms::monitor {

// Every 100 ms: turns the flags raised by the send and receive paths and the decoders
// into one-tick blinks, counts the ticks with sends, and shows the error state.
class StatusRefresh {
 public:
  StatusRefresh(app::Context& context, service::ErrorDisplay& errors)
      : context_(context), errors_(errors) {}

  void onTick();

 private:
  app::Context& context_;
  service::ErrorDisplay& errors_;
};

}  // namespace bms::monitor
