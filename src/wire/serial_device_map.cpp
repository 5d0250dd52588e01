#include "wire/serial_device_map.h"

#include <string>
#include <system_error>

namespace bms::wire {

namespace {

std::string Utf8(const std::filesystem::path& path) {
  const auto text = path.u8string();
  return {text.begin(), text.end()};
}

}  // namespace

std::filesystem::path SerialDevicePath(int port, const std::filesystem::path& programDir,
                                       const EntryExists& exists) {
  const int n = port < 1 ? 1 : port;
  auto entry = programDir / ("COM" + std::to_string(n));
  if (exists && exists(entry)) return entry;
  if (n <= 8) return "/dev/ttyUSB" + std::to_string(n - 1);
  if (n <= 16) return "/dev/ttyACM" + std::to_string(n - 9);
  return "/dev/ttyS" + std::to_string(n - 17);
}

std::filesystem::path SerialDevicePath(int port, const std::filesystem::path& programDir) {
  return SerialDevicePath(port, programDir, [](const std::filesystem::path& entry) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(entry, error));
  });
}

std::string SerialDeviceText(int port, const std::filesystem::path& programDir) {
  const auto device = SerialDevicePath(port, programDir);
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(device, error))) {
    const auto target = std::filesystem::read_symlink(device, error);
    if (!error) return Utf8(device) + " -> " + Utf8(target);
  }
  return Utf8(device);
}

}  // namespace bms::wire
