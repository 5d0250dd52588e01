#pragma once

#include <array>
#include <cstddef>
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

  explicit DebugLog(Platform& platform) : platform_(platform) {}

  void received(std::string_view text);  // a diagnostic message
  // A line as the wire brought it. The protocol is ASCII: any other byte is damage and
  // shows as \xNN, which tells more of a wrong baud rate than a stray character would.
  void receivedLine(std::string_view line);
  void sent(std::string_view text);  // a sent line

  // Empties the panes and what is kept of them (a new window, the clear buttons).
  void clearReceived();
  void clearSent();

  // Received lines and sends, shown on the main window.
  std::uint64_t receivedCount = 0;
  std::uint64_t sentCount = 0;

 private:
  // The lines of one pane not written yet, oldest first from `first`; at most a pane's
  // worth, for older ones would only scroll out again. The strings keep their capacity,
  // so that a steady stream allocates nothing.
  struct Pane {
    explicit Pane(std::string_view name) : control(name) {}

    std::string_view control;
    std::array<std::string, kPaneLines> lines;
    std::size_t first = 0;
    std::size_t count = 0;
  };

  void append(Pane& pane, std::uint64_t counter, std::string_view text);
  void clear(Pane& pane);
  void flush();
  void write(Pane& pane);

  Platform& platform_;
  int batchDepth_ = 0;
  Pane received_{"接收数据编辑框"};
  Pane sent_{"发送数据编辑框"};
  std::string text_;     // the lines of a pane written at once
  std::string escaped_;  // a received line with its damaged bytes escaped
};

}  // namespace bms::base
