#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/arguments.h"

namespace bms::cli {

// A monitor or record run on a running Qt event loop: opens the link, decodes what the
// controller sends for --seconds, prints or records it and ends the loop with the exit
// code.
class WatchSession {
 public:
  explicit WatchSession(Options options);
  ~WatchSession();
  WatchSession(const WatchSession&) = delete;
  WatchSession& operator=(const WatchSession&) = delete;

  // Nothing is opened or sent when the input is bad: the exit code then, or nothing when
  // the run has begun and will end the event loop itself.
  std::optional<int> begin();

 private:
  struct Parts;

  std::optional<int> prepareOutput();
  void wire();
  void onPollTick();
  void onRunRow(const std::string& csvRecord, const std::string& line);
  void finish();
  void lose(const std::string& reason);
  void end(int exitCode);

  Options options_;
  std::unique_ptr<Parts> parts_;
  std::FILE* csv_ = nullptr;
  std::uint64_t sets_ = 0;
  std::uint64_t bicReadings_ = 0;
  bool ready_ = false;
  bool ended_ = false;
};

}  // namespace bms::cli
