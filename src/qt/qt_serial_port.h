#pragma once

#include <QSerialPort>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "wire/transport.h"

namespace bms::qt {

// The serial port on QSerialPort. COMn opens the device that wire::SerialDevicePath gives
// for the program directory (on Windows, COMn itself).
class QtSerialPort : public wire::SerialPort {
 public:
  explicit QtSerialPort(std::filesystem::path programDir);
  ~QtSerialPort() override;
  QtSerialPort(const QtSerialPort&) = delete;
  QtSerialPort& operator=(const QtSerialPort&) = delete;

  bool open(const wire::SerialSettings& settings) override;
  bool isOpen() const override;
  void write(std::string_view bytes) override;
  void close() override;
  std::string deviceText(int port) const override;

 private:
  void deliver();
  void onError(QSerialPort::SerialPortError error);

  std::filesystem::path programDir_;
  QSerialPort port_;
  // Counts closings, so that news about an earlier opening is recognised as stale.
  std::uint64_t session_ = 0;
  bool lossPending_ = false;
};

}  // namespace bms::qt
