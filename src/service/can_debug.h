#pragma once

#include "base/context.h"
#include "link/link_control.h"

namespace bms::service {

// The CAN debug panel: sends one frame typed as hex text and remembers its ID, so that
// the receive path can show the answer, the frame with that ID plus 1.
class CanDebug {
 public:
  CanDebug(base::Context& context, link::LinkControl& link) : context_(context), link_(link) {}
  CanDebug(const CanDebug&) = delete;
  CanDebug& operator=(const CanDebug&) = delete;

  // The send button; the main window must exist.
  void bind();

 private:
  void onSend();

  base::Context& context_;
  link::LinkControl& link_;
};

}  // namespace bms::service
