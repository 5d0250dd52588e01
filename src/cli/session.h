#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "profiles/profile.h"

namespace bms::cli {

// One run of a parameter command, on a running Qt event loop: reads and checks the profile file,
// opens the link, runs the engine, prints the results and ends the loop with the exit
// code.
class Session {
 public:
  explicit Session(Options options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Nothing is opened or sent when the input is bad: the exit code then, or nothing when
  // the run has begun and will end the event loop itself.
  std::optional<int> begin();

 private:
  struct Parts;

  std::optional<int> checkInput();
  bool open();
  void onReady();
  void onFailed(std::string reason);
  void onFinished();
  void end(int exitCode);

  Options options_;
  std::optional<profiles::Profile> profile_;  // diff and restore
  std::unique_ptr<Parts> parts_;
  std::optional<std::string> lostReason_;
  bool ended_ = false;
};

}  // namespace bms::cli
