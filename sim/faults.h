#pragma once

#include <cstdint>
#include <string>

#include "sim/rng.h"

namespace bms::sim {

struct FaultConfig {
  int garbageEvery = 0;  // 0 = off
  int cutEvery = 0;
  int dropAfter = 0;
  bool lowercase = false;
};

// Damages the BMC's lines on one connection as the fault switches ask. Lines are counted
// from 1 per connection; the damage drawn for line n depends on the seed, the
// connection's number and n only.
class FaultInjector {
 public:
  FaultInjector(const FaultConfig& config, std::uint64_t seed, std::uint64_t connection);

  // The line as it goes out (it always ends in CR LF).
  std::string Apply(std::string line);

  // True once --drop-after lines have gone out: the connection is to be closed.
  bool exhausted() const { return config_.dropAfter > 0 && sent_ >= config_.dropAfter; }
  long sent() const { return sent_; }

 private:
  std::string Garbage();
  std::string Cut(const std::string& line);

  FaultConfig config_;
  Rng rng_;
  long sent_ = 0;
};

}  // namespace bms::sim
