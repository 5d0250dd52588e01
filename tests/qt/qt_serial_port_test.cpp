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
// on the other.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    device_ = ptsname(master_);
  }
  ~PseudoTerminal() { closeMaster(); }

  const std::string& device() const { return device_; }
  termios lineSettings() const {
    termios settings{};
    tcgetattr(master_, &settings);
    return settings;
  }
  void send(const std::string& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // What the port has written so far.
  std::string received() {
    char buffer[256];
    for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;) received_.append(buffer, n);
    return received_;
  }
  void closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string device_;
  std::string received_;
};

class ProgramDir {
 public:
  ProgramDir() {
    std::string pattern = (fs::temp_directory_path() / "bms-serial-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ProgramDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  void link(const std::string& name, const fs::path& target) {
    fs::create_symlink(target, path_ / name);
  }

 private:
  fs::path path_;
};

link::SerialSettings Com(int port) { return {.port = port}; }

class QtSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_FALSE(wire.device().empty());
    dir.link("COM5", wire.device());
  }

  PseudoTerminal wire;
  ProgramDir dir;
};

TEST_F(QtSerialPortTest, OpensAt9600With8DataBitsNoParityAndTwoStopBits) {
  QtSerialPort port(dir.path());
  ASSERT_TRUE(port.open(Com(5)));
  EXPECT_TRUE(port.isOpen());
  const termios line = wire.lineSettings();
  EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(cfgetispeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_NE(line.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(line.c_cflag & PARENB, 0u);
}

TEST_F(QtSerialPortTest, BytesFlowBothWaysOneCallPerReceivedByte) {
  QtSerialPort port(dir.path());
  std::vector<std::uint8_t> received;
  port.onByte = [&](std::uint8_t byte) { received.push_back(byte); };
  ASSERT_TRUE(port.open(Com(5)));

  wire.send(std::string("A\r\n\0\xFF", 5));
  ASSERT_TRUE(ProcessEventsUntil([&] { return received.size() >= 5; }));
  EXPECT_EQ(received, (std::vector<std::uint8_t>{'A', '\r', '\n', 0x00, 0xFF}));

  port.write("T,05F5E100,5,\r\n");
  ASSERT_TRUE(ProcessEventsUntil([&] { return wire.received().size() >= 15; }));
  EXPECT_EQ(wire.received(), "T,05F5E100,5,\r\n");
}

TEST_F(QtSerialPortTest, AHandlerThatClosesThePortGetsNoMoreBytes) {
  QtSerialPort port(dir.path());
  int calls = 0;
  port.onByte = [&](std::uint8_t) {
    ++calls;
    port.close();
  };
  ASSERT_TRUE(port.open(Com(5)));
  wire.send("abc");
  ASSERT_TRUE(ProcessEventsUntil([&] { return calls > 0; }));
  ProcessEventsFor(50);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, TheDeviceGoingAwayClosesThePortAndIsReportedOnce) {
  QtSerialPort port(dir.path());
  int lost = 0;
  port.onLost = [&] { ++lost; };
  ASSERT_TRUE(port.open(Com(5)));

  wire.closeMaster();
  ASSERT_TRUE(ProcessEventsUntil([&] { return lost > 0; }));
  ProcessEventsFor(50);
  EXPECT_EQ(lost, 1);
  EXPECT_FALSE(port.isOpen());
  port.write("ignored");

  PseudoTerminal replacement;
  dir.link("COM6", replacement.device());
  EXPECT_TRUE(port.open(Com(6)));
}

TEST_F(QtSerialPortTest, TheDeviceOpensOnlyOnceWhateverItIsCalled) {
  dir.link("COM1", wire.device());
  QtSerialPort first(dir.path());
  ASSERT_TRUE(first.open(Com(5)));
  for (int other : {5, 1}) {
    QtSerialPort second(dir.path());
    EXPECT_FALSE(second.open(Com(other))) << "COM" << other;
  }
  first.close();
  QtSerialPort second(dir.path());
  EXPECT_TRUE(second.open(Com(1)));
}

}  // namespace
}  // namespace bms::qt
