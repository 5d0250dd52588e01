#pragma once

#include "app/context.h"

namespace bms::service {

// The debug message window under the main window, and the RX/TX counters' clear buttons.
class DebugWindow {
 public:
  explicit DebugWindow(app::Context& context) : context_(context) {}

  // Binds the main window's Debug button and counter buttons.
  void bind();
  void onDebugButton();

 private:
  void bindWindow(forms::Form& window);
  void onFullHeightButton();

  app::Context& context_;
};

}  // namespace bms::service
