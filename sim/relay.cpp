#include "sim/relay.h"

#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

// The relay's own lines echo the client's BMC field: the tool takes the number from
// every line it receives, so anything else would change the number it shows.
std::string RelayLine(std::string_view bmcField, std::string_view typeAndFields) {
  std::string line = "T,";
  line += bmcField;
  line += ',';
  line += typeAndFields;
  line += ",\r\n";
  return line;
}

}  // namespace

std::optional<std::string> DecodeAccessPassword(std::string_view group1, std::string_view group2,
                                                std::string_view group3) {
  std::string hex;
  for (std::string_view group : {group1, group2, group3}) {
    if (group.size() != 8 || !wire::IsHexText(group)) return std::nullopt;
    hex += group;
  }
  const auto length = static_cast<std::size_t>(wire::HexToInteger(hex.substr(0, 2)));
  if (length > wire::kMaxAccessPasswordBytes) return std::nullopt;
  std::string password;
  for (std::size_t i = 0; i < length; ++i) {
    password += static_cast<char>(wire::HexToInteger(hex.substr(2 + 2 * i, 2)));
  }
  return password;
}

std::string StripRemoteMarker(std::string_view line) {
  std::string stripped(line);
  const auto comma = stripped.find(',', 2);
  if (comma != std::string::npos && comma + 1 < stripped.size() && stripped[comma + 1] == 'S') {
    stripped.erase(comma + 1, 1);
  }
  return stripped;
}

Relay::Relay(std::string password, std::uint32_t bmcNumber, bool refuseLogin)
    : password_(std::move(password)), bmcNumber_(bmcNumber), refuseLogin_(refuseLogin) {}

RelayOutcome Relay::HandleLine(RelaySession& session, std::string_view line) {
  RelayOutcome outcome;
  const wire::ReceivedFields fields(line);
  if (!wire::TextEquals(fields[1], "T")) return outcome;
  const std::string_view bmcField = fields[2];
  const std::string_view type = fields[3];

  if (wire::TextEquals(type, "S1")) {
    outcome.toClient.push_back(RelayLine(bmcField, "S2,1"));
    if (!session.loggedIn) outcome.toClient.push_back(RelayLine(bmcField, "B"));
  } else if (wire::TextEquals(type, "SC")) {
    const auto offered = DecodeAccessPassword(fields[4], fields[5], fields[6]);
    session.loggedIn = !refuseLogin_ && offered && *offered == password_;
    outcome.toClient.push_back(RelayLine(bmcField, session.loggedIn ? "D,1" : "D,0"));
  } else if (wire::TextEquals(type, "SE")) {
    const auto wanted = DecodeAccessPassword(fields[4], fields[5], fields[6]);
    const bool changed = session.loggedIn && wanted.has_value();
    if (changed) password_ = *wanted;
    outcome.toClient.push_back(RelayLine(bmcField, changed ? "F,1" : "F,0"));
  } else if (session.loggedIn && type.size() >= 2 && type.front() == 'S' &&
             wire::HexToInteger(bmcField) == bmcNumber_) {
    outcome.toBmc = StripRemoteMarker(line);
  }
  return outcome;
}

}  // namespace bms::sim
