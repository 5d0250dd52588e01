#include "wire/line_cutter.h"

namespace bms::wire {

LineCutter::LineCutter(Mode mode, std::size_t capacity)
    : mode_(mode), capacity_(capacity < 2 ? 2 : capacity) {}

std::vector<std::string> LineCutter::feed(std::string_view bytes) {
  std::vector<std::string> lines;
  if (mode_ == Mode::Tcp) {
    feedTcp(bytes, lines);
  } else {
    feedSerial(bytes, lines);
  }
  return lines;
}

void LineCutter::keepNewest() {
  if (buffer_.size() > capacity_) buffer_.erase(0, buffer_.size() - capacity_);
}

void LineCutter::feedTcp(std::string_view bytes, std::vector<std::string>& lines) {
  // A CR at the end of the old bytes may pair with an LF at the start of the new ones.
  std::size_t searchFrom = buffer_.empty() ? 0 : buffer_.size() - 1;
  buffer_ += bytes;
  std::size_t lineStart = 0;
  for (;;) {
    const auto end = buffer_.find("\r\n", searchFrom);
    if (end == std::string::npos) break;
    const std::size_t lineEnd = end + 1;  // keeps the CR
    const std::size_t from = lineEnd - lineStart > capacity_ ? lineEnd - capacity_ : lineStart;
    // A controller sends about ten lines to a read; growing from one would copy them.
    if (lines.empty()) lines.reserve(16);
    lines.emplace_back(buffer_, from, lineEnd - from);
    lineStart = end + 2;
    searchFrom = lineStart;
  }
  buffer_.erase(0, lineStart);
  keepNewest();
}

void LineCutter::feedSerial(std::string_view bytes, std::vector<std::string>& lines) {
  for (char byte : bytes) {
    if (byte == '\n') {
      keepNewest();
      lines.push_back(buffer_ + "\r\n");
      buffer_.clear();
    } else if (byte != '\r') {
      buffer_ += byte;
      // Trim in steps so that a flood costs amortised constant time per byte.
      if (buffer_.size() >= 2 * capacity_) keepNewest();
    }
  }
  keepNewest();
}

}  // namespace bms::wire
