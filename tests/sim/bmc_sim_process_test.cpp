// Starts the real bmc-sim and talks to it over loopback sockets and its terminal.

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/frame_line.h"
#include "link/line_cutter.h"
#include "sim/sim_process.h"
#include "sim/unique_fd.h"

namespace bms::sim {
namespace {

UniqueFd Connect(int port) {
  UniqueFd fd(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return {};
  }
  return fd;
}

void Send(int fd, const std::string& bytes) {
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

TEST(BmcSimProcess, RelayLoginThenRequestThenStop) {
#ifndef BMC_SIM_PATH
  GTEST_SKIP() << "BMC_SIM_PATH is not defined";
#else
  SimProcess sim({"--relay", "0", "--password", "572906", "--bics", "5", "--rate", "20"});
  const int port = sim.Port("relay");
  ASSERT_GT(port, 0);
  UniqueFd socket = Connect(port);
  ASSERT_TRUE(socket.valid());
  LineReader reader(socket.get(), link::LineCutter::Mode::Tcp);

  Send(socket.get(), link::AddRemoteMarker(link::PingLine("05F5E100")));
  EXPECT_EQ(reader.Next(), "T,05F5E100,S2,1,\r");
  EXPECT_EQ(reader.Next(), "T,05F5E100,B,\r");
  Send(socket.get(), link::AddRemoteMarker(*link::PasswordLine("05F5E100", "572906")));
  EXPECT_EQ(reader.Next(), "T,05F5E100,D,1,\r");
  Send(socket.get(),
       link::AddRemoteMarker(link::FrameLine("05F5E100", "09A00100", "FFFFFFFF", "FFFFFFFF")));
  EXPECT_EQ(reader.NextWithId("09A10101"), "T,05F5E100,7,09A10101,05FFFFFF,FFFFFFFF,\r");

  EXPECT_EQ(sim.Stop(SIGTERM), 0);
#endif
}

TEST(BmcSimProcess, TheSameSeedSendsTheSameRunData) {
#ifndef BMC_SIM_PATH
  GTEST_SKIP() << "BMC_SIM_PATH is not defined";
#else
  const auto firstLines = [](const char* seed) {
    SimProcess sim({"--direct", "0", "--seed", seed, "--rate", "100"});
    UniqueFd socket = Connect(sim.Port("direct"));
    LineReader reader(socket.get(), link::LineCutter::Mode::Tcp);
    std::vector<std::string> lines;
    for (int i = 0; i < 15; ++i) lines.push_back(reader.Next().value_or("(nothing)"));
    EXPECT_EQ(sim.Stop(SIGINT), 0);
    return lines;
  };
  const auto first = firstLines("42");
  EXPECT_EQ(link::ReceivedFields(first.front())[4], "09A10001");
  EXPECT_EQ(first, firstLines("42"));
  EXPECT_NE(first, firstLines("43"));
#endif
}

TEST(BmcSimProcess, SerialTerminalEndsLinesInCrLf) {
#ifndef BMC_SIM_PATH
  GTEST_SKIP() << "BMC_SIM_PATH is not defined";
#else
  const auto dir =
      std::filesystem::temp_directory_path() / ("bmc-sim-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "ttyBMS").string();
  {
    SimProcess sim({"--serial", path, "--bics", "2", "--rate", "20"});
    ASSERT_EQ(sim.Endpoints(), std::vector<std::string>{"serial " + path});
    UniqueFd terminal(::open(path.c_str(), O_RDWR | O_NOCTTY));
    ASSERT_TRUE(terminal.valid());
    termios settings{};
    ::tcgetattr(terminal.get(), &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(terminal.get(), TCSANOW, &settings);
    // Cut like TCP, so that the CR before each LF is seen.
    LineReader reader(terminal.get(), link::LineCutter::Mode::Tcp);
    Send(terminal.get(), link::FrameLine("05F5E100", "09A00100", "FFFFFFFF", "FFFFFFFF"));
    EXPECT_EQ(reader.NextWithId("09A10101"), "T,05F5E100,7,09A10101,02FFFFFF,FFFFFFFF,\r");
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path)));
  }
  std::filesystem::remove_all(dir);
#endif
}

TEST(BmcSimProcess, BadOptionsEndWithCodeTwo) {
#ifndef BMC_SIM_PATH
  GTEST_SKIP() << "BMC_SIM_PATH is not defined";
#else
  for (const auto& args : std::vector<std::vector<std::string> >{
           {"--direct", "0", "--bics", "17"}, {"--relay", "0"}, {"--bogus"}}) {
    SimProcess sim(args);
    EXPECT_EQ(sim.Stop(0), 2) << args.front();
  }
  SimProcess help({"--help"});
  EXPECT_EQ(help.Stop(0), 0);
#endif
}

}  // namespace
}  // namespace bms::sim
