#pragma once

#include "base/context.h"
#include "link/link_control.h"

namespace bms::monitor {

// One poll per tick of the communication control timer while the link is open; the
// tick chooses its own next interval from what is being watched.
class Poller {
 public:
  Poller(base::Context& context, link::LinkControl& link, base::Timer& timer);

  void onPollTick();
  void sendCellDetailRequest(int bic);

 private:
  bool readingCellDetails();

  base::Context& context_;
  link::LinkControl& link_;
  base::Timer& timer_;
};

}  // namespace bms::monitor
