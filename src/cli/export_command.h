#pragma once

#include "cli/arguments.h"

namespace bms::cli {

// export RECORDING DIR: the recording's tables as CSV files, one path a line on standard
// output; needs no link and no event loop. Returns the exit code.
int RunExport(const Options& options);

}  // namespace bms::cli
