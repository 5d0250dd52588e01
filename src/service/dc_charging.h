#pragma once

#include "base/context.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

namespace bms::service {

// The DC charging module's running information: what the charger reported, its pause
// state and 12 V supply, the charging socket's temperatures, and the pause, continue and
// fault reset commands. Each button sends one fixed request, then shows "Wait" until the
// answer replaces it. Nothing here is refused and no answer raises the error.
class DcCharging {
 public:
  DcCharging(base::Context& context, link::LinkControl& link);
  DcCharging(const DcCharging&) = delete;
  DcCharging& operator=(const DcCharging&) = delete;

  // The buttons; the main window must exist.
  void bind();
  void registerDecoders(monitor::Dispatcher& dispatcher);

 private:
  base::Context& context_;
  link::LinkControl& link_;
};

}  // namespace bms::service
