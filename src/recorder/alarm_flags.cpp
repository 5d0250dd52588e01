#include "recorder/alarm_flags.h"

namespace bms::recorder {

const std::array<AlarmFlag, kAlarmFlagCount>& AlarmFlags() {
  static constexpr std::array<AlarmFlag, kAlarmFlagCount> kFlags{{
      {AlarmKind::Fault, 0, "BIC通信故障", "BIC fault"},
      {AlarmKind::Fault, 1, "单体电压故障", "Cell-V fault"},
      {AlarmKind::Fault, 2, "温度故障", "Cell-T fault"},
      {AlarmKind::Fault, 3, "PCC故障", "PCC fault"},
      {AlarmKind::Fault, 4, "绝缘故障", "INSUL fault"},
      {AlarmKind::Fault, 5, "触点故障", "Contact fault"},
      {AlarmKind::Fault, 6, "参数故障", "Set fault"},
      {AlarmKind::Fault, 7, "其他故障", "Other fault"},
      {AlarmKind::Warning, 0, "BIC通信预警", "BIC warning"},
      {AlarmKind::Warning, 1, "单体电压预警", "Cell-V warning"},
      {AlarmKind::Warning, 2, "温度预警", "Cell-T warning"},
      {AlarmKind::Warning, 3, "PCC预警", "PCC warning"},
      {AlarmKind::Warning, 4, "绝缘预警", "INSUL warning"},
      {AlarmKind::Warning, 5, "触点预警", "Contact warning"},
      {AlarmKind::Warning, 6, "参数预警", "Set warning"},
      {AlarmKind::Warning, 7, "其他预警", "Other warning"},
  }};
  return kFlags;
}

std::string_view KindName(AlarmKind kind) { return kind == AlarmKind::Fault ? "fault" : "warning"; }

std::vector<AlarmChange> AlarmTransitions(const base::Alarms& before, const base::Alarms& after) {
  std::vector<AlarmChange> changes;
  for (int index = 0; index < kAlarmFlagCount; ++index) {
    const auto& flag = AlarmFlags()[static_cast<std::size_t>(index)];
    const auto bit = static_cast<std::size_t>(flag.bit);
    const bool was = flag.kind == AlarmKind::Fault ? before.faults[bit] : before.warnings[bit];
    const bool is = flag.kind == AlarmKind::Fault ? after.faults[bit] : after.warnings[bit];
    if (was != is) changes.push_back({index, is});
  }
  return changes;
}

}  // namespace bms::recorder
