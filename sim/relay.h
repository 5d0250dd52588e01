#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bms::sim {

// The password carried by a login or password change line: three groups of 8 hex digits
// holding a length byte and eleven byte codes, of which the first `length` are the
// password. Nothing when a group is not 8 hex digits or the length is above 11.
std::optional<std::string> DecodeAccessPassword(std::string_view group1, std::string_view group2,
                                                std::string_view group3);

// The line with the remote marker "S" behind the BMC field removed; the line unchanged
// when it carries no marker.
std::string StripRemoteMarker(std::string_view line);

// What the relay does with one line from a client.
struct RelayOutcome {
  std::vector<std::string> toClient;  // the relay's own answers
  std::optional<std::string> toBmc;   // the line passed on, marker stripped
};

// One client connection's state.
struct RelaySession {
  bool loggedIn = false;
};

// The relay server: one password shared by all its clients, and the one BMC behind it.
class Relay {
 public:
  Relay(std::string password, std::uint32_t bmcNumber, bool refuseLogin);

  RelayOutcome HandleLine(RelaySession& session, std::string_view line);

  const std::string& password() const { return password_; }
  // The BMC behind the relay has been given another number: lines are routed by it now.
  void SetBmcNumber(std::uint32_t number) { bmcNumber_ = number; }

 private:
  std::string password_;
  std::uint32_t bmcNumber_;
  bool refuseLogin_;
};

}  // namespace bms::sim
