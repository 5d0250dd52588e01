#pragma once

#include <gtest/gtest.h>

#include <string>

#include "testing/driver.h"

namespace bms::testing {

// Tests of what a user sees run on every backend this build has, so that the widgets
// can never drift from the in-memory model.
inline auto AllBackends() {
#ifdef BMS_HAS_QT
  return ::testing::Values(Backend::Memory, Backend::Qt);
#else
  return ::testing::Values(Backend::Memory);
#endif
}

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::Memory ? "Memory" : "Qt";
}

}  // namespace bms::testing
