#include "wire/serial_device_map.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace bms::wire {
namespace {

namespace fs = std::filesystem;

TEST(SerialDeviceMap, ALinkInTheProgramDirectoryWinsOverTheFixedMap) {
  struct Case {
    int port;
    std::set<std::string> entries;  // names present in the program directory
    std::string device;
  };
  for (const auto& c : {
           Case{1, {}, "/dev/ttyUSB0"},
           Case{8, {}, "/dev/ttyUSB7"},
           Case{9, {}, "/dev/ttyACM0"},
           Case{16, {}, "/dev/ttyACM7"},
           Case{17, {}, "/dev/ttyS0"},
           Case{32, {}, "/dev/ttyS15"},
           Case{33, {}, "/dev/ttyS16"},
           Case{0, {}, "/dev/ttyUSB0"},
           Case{-4, {}, "/dev/ttyUSB0"},
           Case{5, {"COM5"}, "/opt/bms/COM5"},
           Case{15, {"COM5"}, "/dev/ttyACM6"},
           Case{0, {"COM1"}, "/opt/bms/COM1"},
           Case{1, {"COM01", "com1", "COM10"}, "/dev/ttyUSB0"},
       }) {
    const fs::path dir = "/opt/bms";
    const auto device = SerialDevicePath(c.port, dir, [&](const fs::path& entry) {
      return entry.parent_path() == dir && c.entries.contains(entry.filename().string());
    });
    EXPECT_EQ(device, fs::path(c.device)) << "COM" << c.port;
  }
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "bms-serial-map-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(SerialDeviceMap, OnDiskAnyEntryCountsAndTheTextShowsWhereALinkLeads) {
  TempDir dir;
  fs::create_symlink("/dev/ttyUSB3", dir.path() / "COM2");  // unplugged here: dangling
  std::ofstream(dir.path() / "COM4") << "";

  EXPECT_EQ(SerialDevicePath(2, dir.path()), dir.path() / "COM2");
  EXPECT_EQ(SerialDevicePath(4, dir.path()), dir.path() / "COM4");
  EXPECT_EQ(SerialDevicePath(6, dir.path()), fs::path("/dev/ttyUSB5"));
  EXPECT_EQ(SerialDeviceText(2, dir.path()), (dir.path() / "COM2").string() + " -> /dev/ttyUSB3");
  EXPECT_EQ(SerialDeviceText(4, dir.path()), (dir.path() / "COM4").string());
  EXPECT_EQ(SerialDeviceText(0, dir.path()), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace bms::wire
