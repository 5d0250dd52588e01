// Starts the real bmc-sim: what only the whole program shows (seed to wire, exit codes).

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_process.h"
#include "sim/unique_fd.h"
#include "wire/frame_line.h"
#include "wire/line_cutter.h"

namespace bms::sim {
namespace {

#ifdef BMC_SIM_PATH

// The first run-data lines a client of `--direct` sees, and the exit code after `signal`.
std::vector<std::string> FirstLines(const char* seed, int signal) {
  SimProcess sim({"--direct", "0", "--seed", seed, "--rate", "100"});
  UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(sim.Port("direct")));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address),
            0);
  LineReader reader(socket.get(), wire::LineCutter::Mode::Tcp);
  std::vector<std::string> lines;
  for (int i = 0; i < 15; ++i) lines.push_back(reader.Next().value_or("(nothing)"));
  EXPECT_EQ(sim.Stop(signal), 0) << "ends cleanly on signal " << signal;
  return lines;
}

TEST(BmcSimProcess, TheSameSeedSendsTheSameRunData) {
  const auto first = FirstLines("42", SIGTERM);
  EXPECT_EQ(wire::ReceivedFields(first.front())[4], "09A10001");
  EXPECT_EQ(first, FirstLines("42", SIGINT));
  EXPECT_NE(first, FirstLines("43", SIGTERM));
}

TEST(BmcSimProcess, BadOptionsEndWithCodeTwoAndHelpWins) {
  for (const auto& [args, code] : std::vector<std::pair<std::vector<std::string>, int>>{
           {{"--direct", "0", "--bics", "17"}, 2},
           {{"--relay", "0"}, 2},
           {{"--bogus"}, 2},
           {{"--direct", "x", "--help"}, 0},
       }) {
    SimProcess sim(args);
    EXPECT_EQ(sim.Stop(0), code) << args.front();
  }
}

#endif

}  // namespace
}  // namespace bms::sim
