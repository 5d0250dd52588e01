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

// Starts the application connected to BMC 100000000 in direct network mode (no login, so
// the poll stays at 1000 ms) and forgets what the opening sent.
inline void StartConnected(Driver& driver) {
  driver.writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000,0,0,1,1,");
  driver.start();
  driver.click("通信按钮");
  driver.sent();
}

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::Memory ? "Memory" : "Qt";
}

}  // namespace bms::testing
