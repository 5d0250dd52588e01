#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bms::sim {

// What the command line asked for. Ports may be 0: the system then picks a free one
// and the endpoint line printed at start names it.
struct Options {
  std::optional<int> directPort{};
  std::optional<int> relayPort{};
  std::optional<std::string> password{};
  std::optional<std::string> serialPath{};
  std::optional<int> updatePort{};
  bool newer = false;

  std::uint32_t bmcNumber = 100000000;
  int bics = 3;
  std::uint64_t seed = 1;
  double rate = 1.0;           // run-data sets per second
  std::optional<int> flood{};  // run-data lines per second, instead of sets at `rate`
  std::uint8_t faults = 0;     // 09A10005 byte 1
  std::uint8_t warnings = 0;   // 09A10005 byte 2
  bool locked = false;         // saves wait for the setting-mode command
  bool refuseSaves = false;
  std::optional<int> baud{};  // the BMC's bytes leave at this line speed; none: at once
  int latencyMs = 0;          // the BMC's time to answer a request
  bool countBytes = false;    // print the bytes received and sent on exit

  int garbageEvery = 0;  // 0 = off
  int cutEvery = 0;
  int dropAfter = 0;
  bool lowercase = false;
  bool refuseLogin = false;
  bool silent = false;

  std::optional<std::string> replayPath{};  // direct clients get this recording's lines
  std::optional<double> speed{};            // how many times as fast as recorded; none: 1

  std::optional<std::string> makeRecordingPath{};  // write a recording there and exit
  std::optional<int> hours{};                      // its span; none: 8

  friend bool operator==(const Options&, const Options&) = default;
};

struct ParseResult {
  std::optional<Options> options;  // set when the command line is good and asks to run
  bool help = false;               // --help: print HelpText() and exit 0
  std::string error;               // otherwise: why the command line was refused
};

// `args` without the program name.
ParseResult ParseOptions(const std::vector<std::string_view>& args);

std::string HelpText();

}  // namespace bms::sim
