// Feeds arbitrary bytes to a connected application, as a misbehaving peer would, in
// TCP chunks and byte by byte on the serial port. Anything may happen to the display;
// nothing may crash, hang or grow without bound.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "testing/driver.h"

namespace {

bms::testing::Driver& Connected(bool serial) {
  static bms::testing::Driver* drivers[2] = {};
  auto*& driver = drivers[serial ? 1 : 0];
  if (driver == nullptr) {
    driver = new bms::testing::Driver();
    driver->writeFile("bms_user.txt", serial ? ",0,1,100000000,0,1,0,0,"
                                             : "127.0.0.1,8000,572906,100000000,0,0,0,1,");
    driver->start();
    driver->click("读取单体信息选择框");
  }
  if (driver->link().empty()) driver->click("通信按钮");
  return *driver;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  auto& driver = Connected((data[0] & 1) != 0);
  const std::size_t chunk = 1 + (data[0] >> 1);
  for (std::size_t at = 0; at < bytes.size(); at += chunk) driver.receive(bytes.substr(at, chunk));
  driver.advance(100);
  driver.sent();
  return 0;
}
