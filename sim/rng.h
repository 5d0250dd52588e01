#pragma once

#include <cstdint>

namespace bms::sim {

// A small, fast generator whose sequence depends on nothing but its seed, so that every
// run with the same --seed produces the same pack and the same damaged lines on every
// platform (the standard library's distributions differ between implementations).
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  // SplitMix64.
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in lo..hi, both included (lo <= hi).
  int Between(int lo, int hi) {
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    return static_cast<int>(lo + static_cast<std::int64_t>(Next() % span));
  }

  // True with probability 1 / n.
  bool OneIn(int n) { return Between(1, n) == 1; }

 private:
  std::uint64_t state_;
};

// A seed for an independent stream derived from the run's seed, so that adding a
// consumer of random numbers in one place does not change the numbers of another.
inline std::uint64_t StreamSeed(std::uint64_t seed, std::uint64_t stream) {
  Rng mix(seed ^ (stream * 0xD1B54A32D192ED03ULL));
  return mix.Next();
}

}  // namespace bms::sim
