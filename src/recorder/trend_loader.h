#pragma once

#include <filesystem>
#include <optional>

#include "base/context.h"
#include "recorder/trend_store.h"

namespace bms::recorder {

struct LoadedTrend {
  TrendStore store;                      // unbounded: the whole recording
  std::optional<base::Failure> failure;  // set when the file could not be read
};

// The run data of a recording as trend samples, and the alarm onsets of its journal as
// markers. A failure leaves the samples read before it in the store.
LoadedTrend LoadTrend(const std::filesystem::path& recordingPath);

}  // namespace bms::recorder
