#pragma once

#include "app/context.h"
#include "link/link_control.h"

namespace bms::monitor {

// One poll per tick of the communication control timer while the link is open; the
// tick chooses its own next interval from what is being watched.
class Poller {
 public:
  Poller(app::Context& context, link::LinkControl& link, app::Timer& timer);

  void onPollTick();
  void sendCellDetailRequest(int bic);

 private:
  bool readingCellDetails();

  app::Context& context_;
  link::LinkControl& link_;
  app::Timer& timer_;
};

}  // namespace bms::monitor
