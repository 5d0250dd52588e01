#pragma once

#include "app/context.h"

namespace bms::service {

// Every 500 ms: the settings hint alternates red and yellow, the new-version text
// flashes while a newer release is known, and each fault or warning lamp whose flag is
// set alternates with white.
class WarningBlink {
 public:
  explicit WarningBlink(app::Context& context) : context_(context) {}

  void onTick();

 private:
  app::Context& context_;
  bool redPhase_ = false;
};

}  // namespace bms::service
