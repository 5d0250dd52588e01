#include "wire/frame_line.h"

#include "wire/hex_text.h"

namespace bms::wire {

namespace {

std::string ControlLine(std::string_view bmcField, std::string_view type) {
  std::string line = "T,";
  line += bmcField;
  line += ',';
  line += type;
  line += ",\r\n";
  return line;
}

std::optional<std::string> PasswordCarrier(std::string_view bmcField, std::string_view type,
                                           std::string_view password) {
  auto encoded = EncodeAccessPassword(password);
  if (!encoded) return std::nullopt;
  std::string line = "T,";
  line += bmcField;
  line += ',';
  line += type;
  line += ',';
  line += *encoded;
  line += "\r\n";
  return line;
}

}  // namespace

std::string FrameLine(std::string_view bmcField, std::string_view id, std::string_view data1,
                      std::string_view data2) {
  std::string line;
  line.reserve(43);
  line += "T,";
  line += bmcField;
  line += ",6,";
  line += id;
  line += ',';
  line += data1;
  line += ',';
  line += data2;
  line += ",\r\n";
  return line;
}

std::string PingLine(std::string_view bmcField) { return ControlLine(bmcField, "1"); }

std::string KeepAliveLine(std::string_view bmcField) { return ControlLine(bmcField, "5"); }

std::string PingReply(std::string_view receivedBmcField) {
  return ControlLine(receivedBmcField, "2,1");
}

std::optional<std::string> EncodeAccessPassword(std::string_view password) {
  if (password.size() > kMaxAccessPasswordBytes) return std::nullopt;
  std::string padded(password);
  padded.append(kMaxAccessPasswordBytes - password.size(), '0');
  std::string encoded = ByteToHex2(static_cast<std::int64_t>(password.size()));
  for (std::size_t i = 0; i < kMaxAccessPasswordBytes; ++i) {
    encoded += ByteToHex2(static_cast<unsigned char>(padded[i]));
    if (i == 2 || i == 6 || i == 10) encoded += ',';
  }
  return encoded;
}

std::optional<std::string> PasswordLine(std::string_view bmcField, std::string_view password) {
  return PasswordCarrier(bmcField, "C", password);
}

std::optional<std::string> PasswordChangeLine(std::string_view bmcField,
                                              std::string_view newPassword) {
  return PasswordCarrier(bmcField, "E", newPassword);
}

std::string AddRemoteMarker(std::string_view line) {
  std::string marked(line);
  const auto comma = marked.find(',', 2);
  if (comma != std::string::npos) marked.insert(comma + 1, 1, 'S');
  return marked;
}

ReceivedFields::ReceivedFields(std::string_view line) : line_(line) {
  std::size_t start = 0;
  for (;;) {
    if (count_ < starts_.size()) starts_[count_] = static_cast<std::uint32_t>(start);
    ++count_;
    const auto comma = line_.find(',', start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (count_ < starts_.size()) starts_[count_] = static_cast<std::uint32_t>(line_.size() + 1);
}

std::string_view ReceivedFields::ownBeyondKnown(std::size_t index) const {
  std::size_t start = starts_[kKnownStarts];
  for (std::size_t n = kKnownStarts; n < index; ++n) start = line_.find(',', start) + 1;
  const auto comma = line_.find(',', start);
  return line_.substr(start,
                      comma == std::string_view::npos ? std::string_view::npos : comma - start);
}

}  // namespace bms::wire
