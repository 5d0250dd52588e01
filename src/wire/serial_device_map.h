#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace bms::wire {

// Which device the port number COMn opens on a system that names its serial devices
// otherwise (Linux):
// - An entry named "COMn" in the program directory wins: a link made with
//   `ln -s /dev/ttyUSB3 COM5`, a device node, or a test's pseudo-terminal. It wins even
//   when the link leads nowhere (its adapter is unplugged), so that the opening fails
//   instead of quietly opening some other device.
// - Otherwise a fixed map in the order adapters usually come up: COM1..COM8 ->
//   /dev/ttyUSB0..7 (USB serial and RS-485 adapters), COM9..COM16 -> /dev/ttyACM0..7
//   (CDC-ACM devices), COM17 and above -> /dev/ttyS0, /dev/ttyS1, ... (built-in ports).
// Numbers below 1 open COM1.
using EntryExists = std::function<bool(const std::filesystem::path&)>;

std::filesystem::path SerialDevicePath(int port, const std::filesystem::path& programDir,
                                       const EntryExists& exists);
// The same, asking the file system; a dangling link counts as an entry.
std::filesystem::path SerialDevicePath(int port, const std::filesystem::path& programDir);

// The device as a person should see it, as UTF-8: "/dev/ttyUSB0", or for a link in the
// program directory "<dir>/COM5 -> /dev/ttyUSB3".
std::string SerialDeviceText(int port, const std::filesystem::path& programDir);

}  // namespace bms::wire
