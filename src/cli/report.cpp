#include "cli/report.h"

#include <string_view>

namespace bms::cli {

namespace {

using profiles::RowResult;
using profiles::RowState;

std::string Key(const RowResult& result) {
  const auto& codec = result.row->codec;
  return std::string(codec.readId) + " " +
         (codec.item ? std::to_string(*codec.item) : std::string("-"));
}

std::string Caption(const RowResult& result) { return std::string(result.row->english); }

std::string ValueOrUnknown(const std::optional<std::string>& value) {
  return value ? *value : std::string("?");
}

// Words a script can match; one per final state.
std::string_view StateWord(RowState state, bool dryRun) {
  switch (state) {
    case RowState::Same:
      return "same";
    case RowState::Differs:
      return dryRun ? "would-write" : "differs";
    case RowState::Verified:
      return "verified";
    case RowState::Refused:
      return "refused";
    case RowState::NotAnswered:
      return "not-answered";
    case RowState::ReadBackDiffers:
      return "read-back-differs";
    case RowState::Read:
      return "read";
    case RowState::Pending:
    case RowState::NotDone:
      break;
  }
  return "not-done";
}

}  // namespace

Report ParamsReport(std::span<const RowResult> results) {
  Report report;
  for (const auto& result : results) {
    const auto unit = result.row->unit.empty() ? std::string_view("-") : result.row->unit;
    report.text += Key(result) + " " + ValueOrUnknown(result.controllerValue) + " " +
                   std::string(unit) + " " + Caption(result) + "\n";
    if (!result.controllerValue) report.exitCode = kRowsDiffer;
  }
  return report;
}

Report DiffReport(std::span<const RowResult> results) {
  Report report;
  for (const auto& result : results) {
    if (result.state == RowState::Same) continue;
    report.text += Key(result) + " " + ValueOrUnknown(result.controllerValue) + " " +
                   ValueOrUnknown(result.fileValue) + " " + Caption(result) + "\n";
    report.exitCode = kRowsDiffer;
  }
  return report;
}

Report RestoreReport(std::span<const RowResult> results, bool dryRun) {
  Report report;
  for (const auto& result : results) {
    report.text += Key(result) + " " + std::string(StateWord(result.state, dryRun)) + " " +
                   ValueOrUnknown(result.controllerValue) + " " + ValueOrUnknown(result.fileValue) +
                   " " + Caption(result) + "\n";
    if (result.state != RowState::Same && result.state != RowState::Verified) {
      report.exitCode = kRowsDiffer;
    }
  }
  return report;
}

std::string UnreadRows(std::span<const RowResult> results) {
  std::string text;
  for (const auto& result : results) {
    if (!result.controllerValue) text += "not read: " + Key(result) + " " + Caption(result) + "\n";
  }
  return text;
}

}  // namespace bms::cli
