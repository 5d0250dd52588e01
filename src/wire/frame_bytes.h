#pragma once

#include <cstdint>
#include <string_view>

namespace bms::wire {

// The eight data bytes of a received frame, cut out of its two data fields by position:
// bytes 1 to 4 from data1, bytes 5 to 8 from data2, two hex digits each, words high byte
// first. Characters behind position 8 of a field are never looked at.
//
// A field that arrived short gives what it has: a byte or word of which only some digits
// arrived reads those digits as HexToInteger does ("0C" as a word is 12), one that is
// missing altogether reads 0. Malformed digits read 0 as well. Nothing here throws.
class FrameBytes {
 public:
  FrameBytes(std::string_view data1, std::string_view data2) : data1_(data1), data2_(data2) {}

  // The two characters of byte n, 1 to 8 (fewer if the field is short).
  std::string_view byteText(int n) const { return chars(n, 2); }
  std::int64_t byte(int n) const;
  // Bytes n and n + 1 as one 16-bit value, high byte first; both in one field (n is not 4).
  std::int64_t word(int n) const;

 private:
  std::string_view chars(int n, std::size_t count) const;

  std::string_view data1_;
  std::string_view data2_;
};

}  // namespace bms::wire
