#include "base/debug_log.h"

#include <algorithm>
#include <charconv>

namespace bms::base {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kPauseButton = "通信协议暂停显示按钮";

}  // namespace

void DebugLog::received(std::string_view text) { append(received_, receivedCount, text); }

void DebugLog::receivedLine(std::string_view line) {
  if (platform_.findWindow(Window::Debug) == nullptr) return;  // nothing to show it in
  while (line.ends_with('\r') || line.ends_with('\n')) line.remove_suffix(1);
  const auto printable = [](char c) { return c >= 0x20 && c < 0x7F; };
  if (std::all_of(line.begin(), line.end(), printable)) {
    received(line);
    return;
  }
  constexpr char kDigits[] = "0123456789ABCDEF";
  escaped_.clear();
  for (const char c : line) {
    if (printable(c)) {
      escaped_ += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    escaped_ += "\\x";
    escaped_ += kDigits[byte >> 4];
    escaped_ += kDigits[byte & 0xF];
  }
  received(escaped_);
}

void DebugLog::sent(std::string_view text) { append(sent_, sentCount, text); }

void DebugLog::clearReceived() { clear(received_); }

void DebugLog::clearSent() { clear(sent_); }

void DebugLog::clear(Pane& pane) {
  pane.first = 0;
  pane.count = 0;
  if (auto* window = platform_.findWindow(Window::Debug)) window->setText(pane.control, "");
}

void DebugLog::append(Pane& pane, std::uint64_t counter, std::string_view text) {
  auto* window = platform_.findWindow(Window::Debug);
  if (window == nullptr) {
    pane.count = 0;
    return;
  }
  if (window->text(kPauseButton) != "Pause display") return;

  const std::size_t slot = (pane.first + pane.count) % kPaneLines;
  if (pane.count == kPaneLines) {
    pane.first = (pane.first + 1) % kPaneLines;
  } else {
    ++pane.count;
  }
  // One entry, one line: the CR that ends a received TCP line is not a line of its own.
  while (text.ends_with('\r') || text.ends_with('\n')) text.remove_suffix(1);
  auto& line = pane.lines[slot];
  char number[24];
  const auto digits = std::to_chars(number, number + sizeof number, counter);
  line.assign(number, digits.ptr);
  line += ": ";
  line += text;
  line += kLineEnd;
  if (batchDepth_ == 0) write(pane);
}

void DebugLog::flush() {
  write(received_);
  write(sent_);
}

void DebugLog::write(Pane& pane) {
  if (pane.count == 0) return;
  text_.clear();
  for (std::size_t n = 0; n < pane.count; ++n) text_ += pane.lines[(pane.first + n) % kPaneLines];
  pane.first = 0;
  pane.count = 0;
  // The backend appends and drops the oldest lines: the pane is never read back.
  if (auto* window = platform_.findWindow(Window::Debug)) {
    window->appendLines(pane.control, text_, kPaneLines);
  }
}

}  // namespace bms::base
