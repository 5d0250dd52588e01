#include "wire/serial_device_map.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>

namespace bms::wire {
namespace {

namespace fs = std::filesystem;

TEST(SerialDeviceMap, ALinkInTheProgramDirectoryWinsOverTheFixedMap) {
  using C = std::tuple<int, std::set<std::string>, std::string>;  // entries in the program dir
  for (const auto& [port, entries, device] :
       {C{1, {}, "/dev/ttyUSB0"}, C{8, {}, "/dev/ttyUSB7"}, C{9, {}, "/dev/ttyACM0"},
        C{16, {}, "/dev/ttyACM7"}, C{17, {}, "/dev/ttyS0"}, C{33, {}, "/dev/ttyS16"},
        C{0, {}, "/dev/ttyUSB0"}, C{-4, {}, "/dev/ttyUSB0"}, C{5, {"COM5"}, "/opt/bms/COM5"},
        C{15, {"COM5"}, "/dev/ttyACM6"}, C{0, {"COM1"}, "/opt/bms/COM1"},
        C{1, {"COM01", "com1", "COM10"}, "/dev/ttyUSB0"}}) {
    const fs::path dir = "/opt/bms";
    const auto found = SerialDevicePath(port, dir, [&](const fs::path& entry) {
      return entry.parent_path() == dir && entries.contains(entry.filename().string());
    });
    EXPECT_EQ(found, fs::path(device)) << "COM" << port;
  }
}

TEST(SerialDeviceMap, OnDiskAnyEntryCountsAndTheTextShowsWhereALinkLeads) {
  std::string pattern = (fs::temp_directory_path() / "bms-serial-map-XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  fs::create_symlink("/dev/ttyUSB3", dir / "COM2");  // unplugged here: dangling
  std::ofstream(dir / "COM4") << "";
  EXPECT_EQ(SerialDevicePath(2, dir), dir / "COM2");
  EXPECT_EQ(SerialDevicePath(4, dir), dir / "COM4");
  EXPECT_EQ(SerialDevicePath(6, dir), fs::path("/dev/ttyUSB5"));
  EXPECT_EQ(SerialDeviceText(2, dir), (dir / "COM2").string() + " -> /dev/ttyUSB3");
  EXPECT_EQ(SerialDeviceText(4, dir), (dir / "COM4").string());
  EXPECT_EQ(SerialDeviceText(0, dir), "/dev/ttyUSB0");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace bms::wire
