// The real bmc-sim's line speed, its answer time and its byte count. Times are checked
// as lower bounds only: a busy machine may make anything slower, never faster.

#include <fcntl.h>
#include <signal.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/sim_process.h"
#include "sim/unique_fd.h"
#include "wire/frame_line.h"

namespace bms::sim {
namespace {

#ifdef BMC_SIM_PATH

// Generous: only a simulator that sends faster than it may falls below it.
constexpr double kLowerBound = 0.8;
// Run data only at start: the next set is 100 s away, so the answers have the line.
const std::vector<std::string> kQuietRunData = {"--rate", "0.01"};

// The raw bytes up to the `count`th LF; fewer if the peer stops for longer than kWait.
std::string ReadLines(int fd, int count) {
  std::string bytes;
  while (std::ranges::count(bytes, '\n') < count) {
    pollfd p{fd, POLLIN, 0};
    char byte[64];
    if (::poll(&p, 1, MsLeft(Clock::now() + kWait)) <= 0) break;
    const auto n = ::read(fd, byte, 1);  // one at a time: never past the last line asked for
    if (n <= 0) break;
    bytes.append(byte, static_cast<std::size_t>(n));
  }
  return bytes;
}

std::string Request(const std::string& id) {
  return wire::FrameLine("05F5E100", id, "FFFFFFFF", "FFFFFFFF");
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// bmc-sim with `args` on one endpoint, and a client's descriptor for it that has taken
// the first run-data set.
struct Started {
  std::unique_ptr<SimProcess> sim;
  UniqueFd fd;
  std::string firstSet;
};

Started Start(const std::string& endpoint, std::vector<std::string> args) {
  const std::string path = ::testing::TempDir() + "bmc-sim-pacing-" + std::to_string(::getpid());
  std::vector<std::string> all = endpoint == "serial" ? std::vector<std::string>{"--serial", path}
                                                      : std::vector<std::string>{"--direct", "0"};
  all.insert(all.end(), args.begin(), args.end());
  all.insert(all.end(), kQuietRunData.begin(), kQuietRunData.end());
  Started started{std::make_unique<SimProcess>(all), {}, {}};
  if (endpoint == "serial") {
    EXPECT_EQ(started.sim->Endpoints(), std::vector<std::string>{"serial " + path});
    started.fd = UniqueFd(::open(path.c_str(), O_RDWR | O_NOCTTY));
  } else {
    started.fd = Connect(started.sim->Port("direct"));
  }
  started.firstSet = ReadLines(started.fd.get(), 5);
  EXPECT_EQ(std::ranges::count(started.firstSet, '\n'), 5) << endpoint;
  return started;
}

TEST(BmcSimPacing, ABurstOfAnswersTakesItsTimeOnTheWireOnEveryEndpoint) {
  for (const std::string endpoint : {"direct", "serial"}) {
    Started started = Start(endpoint, {"--baud", "9600"});
    // Two BICs' details: seven answers each, about 600 bytes, 0.7 s at 9600 baud.
    const auto sentAt = Clock::now();
    ASSERT_TRUE(Send(started.fd.get(), Request("09A01001") + Request("09A01002")));
    const std::string answers = ReadLines(started.fd.get(), 14);
    const double seconds = SecondsSince(sentAt);

    std::vector<std::string> ids;
    for (std::size_t at = 0; at < answers.size();) {
      const std::size_t end = answers.find('\n', at);
      if (end == std::string::npos) break;
      ids.emplace_back(wire::ReceivedFields(answers.substr(at, end - at))[4]);
      at = end + 1;
    }
    std::vector<std::string> expected;
    for (const char* bic : {"01", "02"}) {
      for (char kind = '1'; kind <= '7'; ++kind)
        expected.push_back("09A11" + std::string(1, kind) + bic);
    }
    EXPECT_EQ(ids, expected) << endpoint << ": every answer, whole and in order";
    const double wireSeconds = static_cast<double>(answers.size()) * 11 / 9600;
    EXPECT_GE(seconds, kLowerBound * wireSeconds)
        << endpoint << ": " << answers.size() << " bytes in " << seconds << " s";
    EXPECT_EQ(started.sim->Stop(SIGTERM), 0) << endpoint;
  }
}

TEST(BmcSimPacing, AnAnswerWaitsForTheLatencyAndTheByteCountOnExitIsWhatCrossedTheLine) {
  Started started = Start("direct", {"--latency", "300", "--count-bytes", "--baud", "115200"});
  const std::string request = Request("09A00012") + Request("09A00020");
  const auto sentAt = Clock::now();
  ASSERT_TRUE(Send(started.fd.get(), request));
  const std::string first = ReadLines(started.fd.get(), 1);
  EXPECT_GE(SecondsSince(sentAt), kLowerBound * 0.3);
  const std::string answers = first + ReadLines(started.fd.get(), 1);
  ASSERT_EQ(std::ranges::count(answers, '\n'), 2);
  EXPECT_EQ(wire::ReceivedFields(first)[4], "09A10013");
  started.fd.reset();
  ASSERT_EQ(started.sim->Stop(SIGTERM), 0);
  EXPECT_EQ(started.sim->PrintedLine(),
            "bytes received " + std::to_string(request.size()) + " sent " +
                std::to_string(started.firstSet.size() + answers.size()));
}

#endif

}  // namespace
}  // namespace bms::sim
