#include "wire/frame_bytes.h"

#include "wire/hex_text.h"

namespace bms::wire {

std::string_view FrameBytes::chars(int n, std::size_t count) const {
  if (n < 1 || n > 8) return {};
  const std::string_view field = n <= 4 ? data1_ : data2_;
  const auto position = static_cast<std::size_t>((n - 1) % 4) * 2;
  if (position >= field.size()) return {};
  return field.substr(position, count);
}

std::int64_t FrameBytes::byte(int n) const { return wire::HexToInteger(chars(n, 2)); }

std::int64_t FrameBytes::word(int n) const { return wire::HexToInteger(chars(n, 4)); }

}  // namespace bms::wire
