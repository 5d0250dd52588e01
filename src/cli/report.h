#pragma once

#include <span>
#include <string>

#include "profiles/engine.h"

// What each command prints on standard output when its run has ended, and the exit code
// the rows call for.
namespace bms::cli {

enum ExitCode { kDone = 0, kRowsDiffer = 1, kBadInput = 2, kNoLink = 3 };

struct Report {
  std::string text;
  int exitCode = kDone;
};

// READ-ID ITEM VALUE UNIT CAPTION per row; an unanswered row shows "?".
Report ParamsReport(std::span<const profiles::RowResult> results);
// READ-ID ITEM CONTROLLER FILE CAPTION for each row that differs or was not answered.
Report DiffReport(std::span<const profiles::RowResult> results);
// READ-ID ITEM RESULT CONTROLLER FILE CAPTION for every row of the file.
Report RestoreReport(std::span<const profiles::RowResult> results, bool dryRun);
// The rows a backup could not read, for standard error; "" when every row was read.
std::string UnreadRows(std::span<const profiles::RowResult> results);

}  // namespace bms::cli
