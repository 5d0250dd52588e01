#pragma once

#include "base/context.h"

namespace bms::service {

// Every 500 ms: the settings hint alternates red and yellow, the new-version text
// flashes while a newer release is known, and each fault or warning lamp whose flag is
// set alternates with white.
class WarningBlink {
 public:
  explicit WarningBlink(base::Context& context) : context_(context) {}

  void onTick();

 private:
  base::Context& context_;
  bool redPhase_ = false;
};

}  // namespace bms::service
