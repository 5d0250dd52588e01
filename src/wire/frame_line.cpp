#include "wire/frame_line.h"

#include "wire/hex_text.h"

namespace bms::wire {

namespace {

// A comma followed by twenty-one "0," pairs.
constexpr std::string_view kFieldPadding = ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,";

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

ReceivedFields::ReceivedFields(std::string_view line) {
  text_.reserve(line.size() + kFieldPadding.size());
  text_ += line;
  text_ += kFieldPadding;
  spans_.reserve(32);
  std::size_t start = 0;
  for (;;) {
    const auto comma = text_.find(',', start);
    if (comma == std::string::npos) {
      spans_.emplace_back(start, text_.size() - start);
      break;
    }
    spans_.emplace_back(start, comma - start);
    start = comma + 1;
  }
}

std::string_view ReceivedFields::operator[](std::size_t n) const {
  if (n == 0 || n > spans_.size()) return {};
  const auto [offset, length] = spans_[n - 1];
  return std::string_view(text_).substr(offset, length);
}

}  // namespace bms::wire
