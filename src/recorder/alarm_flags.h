#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/context.h"

// The sixteen fault and warning flags of the run data, their captions in both languages,
// and what changed between two snapshots of them.
namespace bms::recorder {

enum class AlarmKind { Fault, Warning };

struct AlarmFlag {
  AlarmKind kind;
  int bit;  // 0 to 7 within its byte
  std::string_view chinese;
  std::string_view english;
};

inline constexpr int kAlarmFlagCount = 16;

// Index 0 to 7 the faults, 8 to 15 the warnings, each in bit order; the words are those
// of the fault matrix on the run page.
const std::array<AlarmFlag, kAlarmFlagCount>& AlarmFlags();

std::string_view KindName(AlarmKind kind);  // "fault" or "warning"

// A cell named by its BIC and place, with its voltage.
struct CellPoint {
  int bic = 0;
  int cell = 0;
  int millivolts = 0;
  friend bool operator==(const CellPoint&, const CellPoint&) = default;
};

// The highest and lowest cell of the pack at one moment.
struct CellExtremes {
  CellPoint highest;
  CellPoint lowest;
  friend bool operator==(const CellExtremes&, const CellExtremes&) = default;
};

struct AlarmChange {
  int flag = 0;  // index into AlarmFlags()
  bool on = false;
  friend bool operator==(const AlarmChange&, const AlarmChange&) = default;
};

// The flags that differ between the snapshots, in flag index order.
std::vector<AlarmChange> AlarmTransitions(const base::Alarms& before, const base::Alarms& after);

}  // namespace bms::recorder
