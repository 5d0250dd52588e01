#pragma once

#include <cstdint>
#include <string_view>

#include "app/platform.h"

namespace bms::service {

// The debug window's two panes: raw lines and the tool's own messages, each numbered
// with the running counter of its direction. Nothing is kept while the window is closed
// or paused.
class DebugLog {
 public:
  static constexpr std::size_t kPaneLines = 70;

  explicit DebugLog(app::Platform& platform) : platform_(platform) {}

  void received(std::string_view text);  // a received line or a diagnostic message
  void sent(std::string_view text);      // a sent line

  // Received lines and sends, shown on the main window.
  std::uint64_t receivedCount = 0;
  std::uint64_t sentCount = 0;

 private:
  void append(std::string_view pane, std::uint64_t counter, std::string_view text);

  app::Platform& platform_;
};

}  // namespace bms::service
