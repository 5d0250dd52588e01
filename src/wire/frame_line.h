#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Building the lines the tool sends and taking received lines apart. Every outgoing
// line starts with "T," and the 8-digit BMC field (see BmcNumberToHex) and ends in CR LF.
namespace bms::wire {

inline constexpr std::size_t kMaxAccessPasswordBytes = 11;

// "T," + bmcField + ",6," + id + "," + data1 + "," + data2 + ",\r\n"
std::string FrameLine(std::string_view bmcField, std::string_view id, std::string_view data1,
                      std::string_view data2);
std::string PingLine(std::string_view bmcField);       // line type 1
std::string KeepAliveLine(std::string_view bmcField);  // line type 5
// Answer to a received ping: F2 of the received line goes back unchanged.
std::string PingReply(std::string_view receivedBmcField);

// Length byte and eleven byte codes, in three comma-ended groups of 8 hex digits.
// Nothing for a password longer than 11 bytes: it cannot be encoded.
std::optional<std::string> EncodeAccessPassword(std::string_view password);
std::optional<std::string> PasswordLine(std::string_view bmcField, std::string_view password);
std::optional<std::string> PasswordChangeLine(std::string_view bmcField,
                                              std::string_view newPassword);

// Relay mode: "S" goes right behind the comma that ends the BMC field.
std::string AddRemoteMarker(std::string_view line);

// The fields of a received line, cut at every ",". Read as if the line were padded with
// ",0" 21 times and a final ",", so that F1 to F22 always exist and a missing field reads
// as "0". The line end stays in the field behind the last comma of the received line.
// A view: the line must outlive it. Nothing is allocated, for it runs on every line.
class ReceivedFields {
 public:
  explicit ReceivedFields(std::string_view line);

  // Field n counted from 1; "" beyond the last field.
  std::string_view operator[](std::size_t n) const {
    if (n == 0) return {};
    if (n <= count_) return own(n - 1);
    if (n <= count_ + kPaddingFields) return "0";
    return {};
  }
  std::size_t size() const { return count_ + kPaddingFields + 1; }

 private:
  static constexpr std::size_t kPaddingFields = 21;
  static constexpr std::size_t kKnownStarts = 16;

  std::string_view own(std::size_t index) const {
    if (index >= kKnownStarts) return ownBeyondKnown(index);
    return line_.substr(starts_[index], starts_[index + 1] - 1 - starts_[index]);
  }
  std::string_view ownBeyondKnown(std::size_t index) const;

  std::string_view line_;
  std::size_t count_ = 0;  // fields of the line itself
  // Where the first fields start; the one behind the last known field too, so that a
  // known field's end is where the next one starts, less its comma.
  std::array<std::uint32_t, kKnownStarts + 1> starts_{};
};

}  // namespace bms::wire
