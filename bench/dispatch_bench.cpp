// Cost of one received frame line through the whole receive path of the application:
// cutting, splitting, routing, its decoder writing into the in-memory form, and the
// debug log. Each iteration is one line, so the time reported is per line.
#include <benchmark/benchmark.h>

#include <string>

#include "testing/driver.h"

namespace {

bms::testing::Driver& ConnectedDriver(bool debugWindowOpen) {
  static bms::testing::Driver* drivers[2] = {};
  auto*& driver = drivers[debugWindowOpen ? 1 : 0];
  if (driver == nullptr) {
    driver = new bms::testing::Driver();
    driver->writeFile("bms_user.txt", "127.0.0.1,8000,572906,100000000,0,0,1,1,");
    driver->start();
    driver->click("通信按钮");
    if (debugWindowOpen) driver->click("Debug按钮");
  }
  return *driver;
}

void DispatchFrameLine(benchmark::State& state) {
  auto& driver = ConnectedDriver(state.range(0) != 0);
  const std::string line = "T,05F5E100,7,09A10101,03FFFFFF,FFFFFFFF,\r\n";
  for (auto _ : state) driver.receive(line);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(DispatchFrameLine)->ArgName("debug_window_open")->Arg(0)->Arg(1);

}  // namespace
