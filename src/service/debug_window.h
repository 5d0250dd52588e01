#pragma once

#include "base/context.h"

namespace bms::service {

// The debug message window under the main window, and the RX/TX counters' clear buttons.
class DebugWindow {
 public:
  explicit DebugWindow(base::Context& context) : context_(context) {}

  // Binds the main window's Debug button and counter buttons.
  void bind();
  void onDebugButton();
  // Puts the open window's tool tips into the language of the main window.
  void applyLanguage();

 private:
  void bindWindow(forms::Form& window);
  void onFullHeightButton();

  base::Context& context_;
};

}  // namespace bms::service
