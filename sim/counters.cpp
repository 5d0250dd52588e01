#include "sim/counters.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "sim/rng.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kAnswerOffset = 0x00010001;
constexpr std::int64_t kNoClear = 0;
constexpr std::string_view kUnused = "FFFFFFFF";

struct Slot {
  std::int64_t read;
  std::int64_t clear;
  bool energy;  // Wh, answered as kWh + Wh; otherwise seconds
};

// In the order of the counter array.
constexpr Slot kSlots[] = {
    {0x09A00022, kNoClear, false},   {0x09A00024, kNoClear, false}, {0x09A00026, 0x09A00028, false},
    {0x09A0002A, 0x09A0002C, false}, {0x09A0002E, kNoClear, true},  {0x09A00030, 0x09A00032, true},
    {0x09A00034, 0x09A00036, true},  {0x09A00038, kNoClear, true},  {0x09A0003A, 0x09A0003C, true},
    {0x09A0003E, 0x09A00040, true},
};
constexpr std::size_t kPowerOn = 0;
constexpr std::size_t kRunTotal = 1;
constexpr std::size_t kChargeTotal = 4;
constexpr std::size_t kDischargeTotal = 7;

std::uint32_t Whole(double value) {
  constexpr double kMax = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(std::clamp(std::floor(value), 0.0, kMax));
}

std::string IdText(std::int64_t id) { return wire::DwordToHex8(id); }

}  // namespace

Counters::Counters(std::uint64_t seed, bool refuseChanges) : refuseChanges_(refuseChanges) {
  Rng rng(StreamSeed(seed, 2));
  // A pack some months into its life; the subtotals were last cleared some time ago.
  for (std::size_t total : {kRunTotal, kChargeTotal, kDischargeTotal}) {
    const bool energy = kSlots[total].energy;
    values_[total] = energy ? rng.Between(200000, 900000) + rng.Between(0, 999) / 10.0
                            : rng.Between(1000000, 9000000);
    values_[total + 1] = std::floor(values_[total] * rng.Between(10, 60) / 100);
    values_[total + 2] = std::floor(values_[total + 1] * rng.Between(10, 60) / 100);
  }
}

void Counters::Advance(double seconds, double currentA, double totalV) {
  for (std::size_t i = kPowerOn; i < kChargeTotal; ++i) values_[i] += seconds;
  if (currentA == 0) return;
  const double wh = std::fabs(currentA * totalV) * seconds / 3600;
  const std::size_t total = currentA > 0 ? kChargeTotal : kDischargeTotal;
  for (std::size_t i = total; i < total + 3; ++i) values_[i] += wh;
}

std::optional<Frame> Counters::Answer(std::int64_t request) {
  for (std::size_t i = 0; i < std::size(kSlots); ++i) {
    const Slot& slot = kSlots[i];
    if (request == slot.read) {
      if (!slot.energy)
        return Frame{IdText(request + kAnswerOffset), wire::DwordToHex8(Whole(values_[i])),
                     std::string(kUnused)};
      const std::uint32_t kwh = Whole(values_[i] / 1000);
      const auto wh = static_cast<float>(values_[i] - 1000.0 * kwh);
      return Frame{IdText(request + kAnswerOffset), wire::DwordToHex8(kwh),
                   wire::DwordToHex8(std::bit_cast<std::uint32_t>(wh))};
    }
    if (request == slot.clear) {
      if (!refuseChanges_) values_[i] = 0;
      return Frame{IdText(request + kAnswerOffset),
                   std::string(refuseChanges_ ? "00" : "AA") + "FFFFFF", std::string(kUnused)};
    }
  }
  return std::nullopt;
}

bool Counters::Knows(std::int64_t request) {
  return std::ranges::any_of(kSlots, [request](const Slot& slot) {
    return request == slot.read || (slot.clear != kNoClear && request == slot.clear);
  });
}

void Counters::PresetRunTime(double seconds) { values_[kRunTotal] = seconds; }
void Counters::PresetChargeWh(double wh) { values_[kChargeTotal] = wh; }
void Counters::PresetDischargeWh(double wh) { values_[kDischargeTotal] = wh; }

}  // namespace bms::sim
