#pragma once

#include <memory>
#include <string>

#include "base/context.h"
#include "link/link_control.h"

namespace bms::link {

// Reopens a link that was lost (the peer closed it, the adapter went away) while the
// auto reconnect box is ticked: after 1 s, then 2, 4, ... up to 30 s, then every 30 s.
// Only a loss starts it: a link closed on purpose (Stop, a refused login, a finished
// password change) stays closed. A press of the button or unticking the box ends the wait.
class Reconnect {
 public:
  Reconnect(base::Context& context, LinkControl& link);
  Reconnect(const Reconnect&) = delete;
  Reconnect& operator=(const Reconnect&) = delete;

  void bind();  // the main window must exist

  void onLinkLost();
  void cancel();

  bool waiting() const { return attempt_ > 0; }
  int attempt() const { return attempt_; }  // the number of the next try
  int secondsLeft() const { return secondsLeft_; }
  const std::string& peer() const { return peer_; }

 private:
  void onBox();
  void waitForNext();
  void onTick();
  void tryAgain();

  base::Context& context_;
  LinkControl& link_;
  std::unique_ptr<base::Timer> timer_;
  int attempt_ = 0;  // 0: not waiting
  int secondsLeft_ = 0;
  std::string peer_;
};

}  // namespace bms::link
