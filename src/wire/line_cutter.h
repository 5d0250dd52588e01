#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bms::wire {

// Cuts the received byte stream of one transport into lines.
// - Tcp: a line ends at CR LF; it is handed on with its CR, without the LF.
// - Serial: a line ends at LF; CR bytes are dropped and the line is handed on with
//   "\r\n" appended.
// Bytes of an unfinished line wait for the next feed. A peer that never ends its line
// must not grow memory without limit, so a line keeps only its newest `capacity` bytes
// (Tcp: counting its CR; Serial: not counting the appended line end).
class LineCutter {
 public:
  enum class Mode { Tcp, Serial };
  static constexpr std::size_t kDefaultCapacity = 4096;

  explicit LineCutter(Mode mode, std::size_t capacity = kDefaultCapacity);

  // Appends the bytes and returns the lines they completed, in order.
  std::vector<std::string> feed(std::string_view bytes);

  std::string_view pending() const { return buffer_; }
  // Drops the bytes of an unfinished line.
  void clear() { buffer_.clear(); }

 private:
  void keepNewest();
  void feedTcp(std::string_view bytes, std::vector<std::string>& lines);
  void feedSerial(std::string_view bytes, std::vector<std::string>& lines);

  Mode mode_;
  std::size_t capacity_;
  std::string buffer_;
};

}  // namespace bms::wire
