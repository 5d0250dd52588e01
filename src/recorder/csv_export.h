#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/context.h"

namespace bms::recorder {

// The tables a recording is read as, in the order they are exported.
inline constexpr std::string_view kExportedTables[] = {"meta",         "run_data", "cells",
                                                       "temperatures", "traffic",  "alarms"};

// One field as a CSV field: quoted, with its quotes doubled, when it holds a comma, a
// quote or a line break.
std::string CsvField(std::string_view text);

struct ExportResult {
  std::vector<std::filesystem::path> files;  // one per table, written
  std::optional<base::Failure> failure;      // set when the export stopped
};

// Writes TABLE.csv into the directory (made when missing) for every exported table: a
// header row, then the rows; UTF-8 with CR LF line ends.
ExportResult ExportCsv(const std::filesystem::path& recordingPath,
                       const std::filesystem::path& directory);

}  // namespace bms::recorder
