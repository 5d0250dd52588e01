// Starts the real bmc-sim: what only the whole program shows (seed to wire, exit codes).

#include <signal.h>

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
  UniqueFd socket = Connect(sim.Port("direct"));
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

TEST(BmcSimProcess, TheRelayRoutesByTheNumberAFactoryWriteGave) {
  SimProcess sim({"--relay", "0", "--password", "572906"});
  UniqueFd socket = Connect(sim.Port("relay"));
  const auto request = [](const std::string& field, const std::string& id,
                          const std::string& data1) {
    return wire::AddRemoteMarker(wire::FrameLine(field, id, data1, "FFFFFFFF"));
  };
  const std::string lines = wire::AddRemoteMarker(*wire::PasswordLine("05F5E100", "572906")) +
                            request("05F5E100", "09A03000", "0DFB38D3") +
                            request("05F5E100", "09A00012", "FFFFFFFF") +
                            request("0DFB38D3", "09A00020", "FFFFFFFF");
  ASSERT_TRUE(Send(socket.get(), lines));
  LineReader reader(socket.get(), wire::LineCutter::Mode::Tcp);
  const auto ack = reader.NextWithId("09A13001");
  ASSERT_TRUE(ack);
  EXPECT_EQ(*ack, "T,0DFB38D3,7,09A13001,AAFFFFFF,FFFFFFFF,\r");
  std::vector<std::string> answers;
  for (int i = 0; i < 100 && (answers.empty() || answers.back() != "09A10021"); ++i) {
    const auto line = reader.Next();
    if (!line) break;
    const wire::ReceivedFields fields(*line);
    EXPECT_EQ(fields[2], "0DFB38D3") << *line;
    if (fields[4] == "09A10013" || fields[4] == "09A10021") answers.emplace_back(fields[4]);
  }
  EXPECT_EQ(answers, std::vector<std::string>{"09A10021"}) << "the old number routes nowhere";
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

TEST(BmcSimProcess, TheLargestPackAnswersForItsLastBic) {
  SimProcess sim({"--direct", "0", "--bics", "253", "--rate", "0.01"});
  UniqueFd socket = Connect(sim.Port("direct"));
  const auto request = [](const char* id) {
    return wire::FrameLine("05F5E100", id, "FFFFFFFF", "FFFFFFFF");
  };
  const std::string lines = request("09A00100") + request("09A010FD");
  ASSERT_TRUE(Send(socket.get(), lines));
  LineReader reader(socket.get(), wire::LineCutter::Mode::Tcp);
  const auto installed = reader.NextWithId("09A10101");
  ASSERT_TRUE(installed);
  EXPECT_EQ(wire::ReceivedFields(*installed)[5], "FDFFFFFF");
  for (char kind = '1'; kind <= '7'; ++kind) {
    const std::string id = "09A11" + std::string(1, kind) + "FD";
    const auto line = reader.Next();
    ASSERT_TRUE(line) << id;
    EXPECT_EQ(wire::ReceivedFields(*line)[4], id);
  }
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

TEST(BmcSimProcess, BadOptionsEndWithCodeTwoAndHelpWins) {
  for (const auto& [args, code] : std::vector<std::pair<std::vector<std::string>, int>>{
           {{"--direct", "0", "--bics", "254"}, 2},
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
