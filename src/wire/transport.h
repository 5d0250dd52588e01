#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// What the link needs of its two transports. Notifications arrive as events on the one
// user-interface thread, one after another.
namespace bms::wire {

struct SerialSettings {
  int port = 1;  // COMn; numbers below 1 open COM1
  int baud = 9600;
  int dataBits = 8;
  bool parity = false;
  int stopBits = 2;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens the port for exclusive reading and writing.
  virtual bool open(const SerialSettings& settings) = 0;
  virtual bool isOpen() const = 0;
  // Writing to a closed port does nothing.
  virtual void write(std::string_view bytes) = 0;
  virtual void close() = 0;
  // The device that COMn opens, for showing to the user; "" where COMn says it all.
  virtual std::string deviceText(int port) const = 0;

  // One call per received byte, in order.
  std::function<void(std::uint8_t)> onByte;
  // The device went away while open (an unplugged adapter).
  std::function<void()> onLost;
};

class TcpClient {
 public:
  virtual ~TcpClient() = default;
  // Blocks until connected or failed; a bounded wait, never for long.
  virtual bool connect(std::string_view host, int port) = 0;
  virtual bool isConnected() const = 0;
  // Sending on a closed connection does nothing.
  virtual void send(std::string_view bytes) = 0;
  virtual void close() = 0;

  // One call per block of received bytes.
  std::function<void(std::string_view)> onData;
  // The peer closed the connection.
  std::function<void()> onClosed;
};

}  // namespace bms::wire
