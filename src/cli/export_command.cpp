#include "cli/export_command.h"

#include <cstdio>
#include <string>

#include "cli/report.h"
#include "recorder/csv_export.h"

namespace bms::cli {

int RunExport(const Options& options) {
  const auto result = recorder::ExportCsv(options.file, options.directory);
  for (const auto& file : result.files) std::printf("%s\n", file.string().c_str());
  std::fflush(stdout);
  if (result.failure) {
    std::fprintf(stderr, "%s\n", result.failure->english.c_str());
    return kBadInput;
  }
  return kDone;
}

}  // namespace bms::cli
