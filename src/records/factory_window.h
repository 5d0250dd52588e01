#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/context.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

namespace bms::records {

// The factory window: writes the BMC number and presets the cumulative work time and
// energy counters. Its requests go to the ID prefix that the factory marker names; the
// window keeps no state of its own.
class FactoryWindow {
 public:
  FactoryWindow(base::Context& context, link::LinkControl& link);
  FactoryWindow(const FactoryWindow&) = delete;
  FactoryWindow& operator=(const FactoryWindow&) = delete;

  // The main window's button that opens the window; the main window must exist.
  void bind();
  // The answers 09A130..; while the window is closed they are dropped.
  void registerDecoders(monitor::Dispatcher& dispatcher);
  // The factory marker's text. Anything but six hex digits (blanks around them aside)
  // leaves no prefix, and every request of the window is refused.
  void setIdPrefix(std::string_view markerText);

 private:
  void open();
  void bindWindow(forms::Form& form);
  void calibrate(std::size_t row);
  forms::Form* window();

  base::Context& context_;
  link::LinkControl& link_;
  std::optional<std::string> idPrefix_;
};

}  // namespace bms::records
