#pragma once

#include "base/context.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

namespace bms::records {

// The BMC's run-time and energy counters on the page "数据记录": each can be read, and the
// resettable subtotals cleared behind a typed confirmation code. The counters live in the
// BMC; the page only shows the last answers.
class Counters {
 public:
  Counters(base::Context& context, link::LinkControl& link);
  Counters(const Counters&) = delete;
  Counters& operator=(const Counters&) = delete;

  // The read and clear buttons; the main window must exist.
  void bind();
  // The counter answers and the clear acknowledgements.
  void registerDecoders(monitor::Dispatcher& dispatcher);

 private:
  void clear(std::string_view codeBox, std::string_view display, std::string_view request);
  void send(std::string_view display, std::string_view request);

  base::Context& context_;
  link::LinkControl& link_;
};

}  // namespace bms::records
