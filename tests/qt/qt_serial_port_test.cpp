#include "qt/qt_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "qt/qt_application.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

namespace fs = std::filesystem;

// A pseudo-terminal: the port opens its device side, the test plays the adapter's wire
// on the master side.
struct PseudoTerminal {
  PseudoTerminal() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    device = ptsname(master);
  }
  ~PseudoTerminal() { hangUp(); }

  void send(const std::string& bytes) {
    ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  void hangUp() {
    if (master >= 0) ::close(master);
    master = -1;
  }

  int master = -1;
  std::string device;
};

wire::SerialSettings Com(int port) { return {.port = port}; }

class QtSerialPortTest : public ::testing::Test {
 protected:
  QtSerialPortTest() {
    std::string pattern = (fs::temp_directory_path() / "bms-serial-XXXXXX").string();
    dir = mkdtemp(pattern.data());
  }
  ~QtSerialPortTest() override { fs::remove_all(dir); }
  void SetUp() override {
    EnsureApplication();
    ASSERT_FALSE(wire.device.empty());
    link("COM5", wire);
  }
  // COMn of the program directory leads to the terminal.
  void link(const std::string& name, const PseudoTerminal& terminal) {
    fs::create_symlink(terminal.device, dir / name);
  }

  fs::path dir;  // the program directory
  PseudoTerminal wire;
};

TEST_F(QtSerialPortTest, OpensAt9600With8N2AndDeliversEveryByteOnceUntilClosed) {
  QtSerialPort port(dir);
  std::vector<std::uint8_t> received;
  port.onByte = [&](std::uint8_t byte) { received.push_back(byte); };
  ASSERT_TRUE(port.open(Com(5)));
  termios line{};
  tcgetattr(wire.master, &line);
  EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & (CSIZE | CSTOPB | PARENB), static_cast<tcflag_t>(CS8 | CSTOPB));

  wire.send(std::string("A\r\n\0\xFF", 5));
  ASSERT_TRUE(ProcessEventsUntil([&] { return received.size() >= 5; }));
  EXPECT_EQ(received, (std::vector<std::uint8_t>{'A', '\r', '\n', 0x00, 0xFF}));

  // A handler that closes the port gets no more bytes.
  int calls = 0;
  port.onByte = [&](std::uint8_t) {
    ++calls;
    port.close();
  };
  wire.send("abc");
  ASSERT_TRUE(ProcessEventsUntil([&] { return calls > 0; }));
  ProcessEventsFor(50);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, TheDeviceGoingAwayClosesThePortAndIsReportedOnce) {
  QtSerialPort port(dir);
  int lost = 0;
  port.onLost = [&] { ++lost; };
  ASSERT_TRUE(port.open(Com(5)));

  wire.hangUp();
  ASSERT_TRUE(ProcessEventsUntil([&] { return lost > 0; }));
  ProcessEventsFor(50);
  EXPECT_EQ(lost, 1);
  EXPECT_FALSE(port.isOpen());
  port.write("ignored");

  PseudoTerminal replacement;
  link("COM6", replacement);
  EXPECT_TRUE(port.open(Com(6)));
}

TEST_F(QtSerialPortTest, TheDeviceOpensOnlyOnceWhateverItIsCalled) {
  link("COM1", wire);
  QtSerialPort first(dir);
  ASSERT_TRUE(first.open(Com(5)));
  for (int other : {5, 1}) {
    QtSerialPort second(dir);
    EXPECT_FALSE(second.open(Com(other))) << "COM" << other;
  }
  first.close();
  QtSerialPort second(dir);
  EXPECT_TRUE(second.open(Com(1)));
}

}  // namespace
}  // namespace bms::qt
