#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/platform.h"

namespace bms::base {

// The debug window's two panes: raw lines and the tool's own messages, each numbered
// with the running counter of its direction. Nothing is kept while the window is closed
// or paused.
class DebugLog {
 public:
  static constexpr std::size_t kPaneLines = 70;

  // While a batch lives, entries are gathered and written to the panes once at its end,
  // so that a burst of received lines costs one redraw, not one per line.
  class Batch {
   public:
    explicit Batch(DebugLog& log) : log_(log) { ++log_.batchDepth_; }
    ~Batch() {
      if (--log_.batchDepth_ == 0) log_.flush();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    DebugLog& log_;
  };

  explicit DebugLog(base::Platform& platform) : platform_(platform) {}

  void received(std::string_view text);  // a received line or a diagnostic message
  void sent(std::string_view text);      // a sent line

  // Received lines and sends, shown on the main window.
  std::uint64_t receivedCount = 0;
  std::uint64_t sentCount = 0;

 private:
  void append(std::string_view pane, std::string& pending, std::uint64_t counter,
              std::string_view text);
  void flush();
  void write(std::string_view pane, std::string& entries);

  base::Platform& platform_;
  int batchDepth_ = 0;
  std::string pendingReceived_;
  std::string pendingSent_;
};

}  // namespace bms::base
