#pragma once

#include <QTimer>
#include <string_view>

#include "base/platform.h"

namespace bms::qt {

// A timer on QTimer; it ticks on the thread that made it, the user-interface thread.
class QtTimer : public base::Timer {
 public:
  explicit QtTimer(std::string_view name = {});
  QtTimer(const QtTimer&) = delete;
  QtTimer& operator=(const QtTimer&) = delete;

  void setInterval(int ms) override;
  int interval() const override;

 private:
  QTimer timer_;
};

}  // namespace bms::qt
