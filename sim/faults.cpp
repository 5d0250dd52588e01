#include "sim/faults.h"

#include <cctype>

namespace bms::sim {

namespace {

constexpr int kMaxGarbageBytes = 48;

// ID and data fields are everything behind the third comma.
void LowerCaseFields(std::string& line) {
  std::size_t commas = 0;
  for (char& c : line) {
    if (commas >= 3) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (c == ',') {
      ++commas;
    }
  }
}

}  // namespace

FaultInjector::FaultInjector(const FaultConfig& config, std::uint64_t seed,
                             std::uint64_t connection)
    : config_(config), rng_(StreamSeed(seed, 1000 + connection)) {}

std::string FaultInjector::Apply(std::string line) {
  ++sent_;
  if (config_.lowercase) LowerCaseFields(line);
  if (config_.garbageEvery > 0 && sent_ % config_.garbageEvery == 0) return Garbage();
  if (config_.cutEvery > 0 && sent_ % config_.cutEvery == 0) return Cut(line);
  return line;
}

std::string FaultInjector::Garbage() {
  std::string bytes;
  const int length = rng_.Between(1, kMaxGarbageBytes);
  while (static_cast<int>(bytes.size()) < length) {
    const auto byte = static_cast<char>(rng_.Between(0, 255));
    // A CR LF inside would make two lines of one.
    if (byte != '\r' && byte != '\n') bytes += byte;
  }
  return bytes + "\r\n";
}

std::string FaultInjector::Cut(const std::string& line) {
  const auto body = line.size() >= 2 ? line.size() - 2 : 0;  // without CR LF
  if (body < 2) return line;
  const auto keep = static_cast<std::size_t>(rng_.Between(1, static_cast<int>(body) - 1));
  return line.substr(0, keep) + "\r\n";
}

}  // namespace bms::sim
