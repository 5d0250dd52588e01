// monitor, record and export: bms-cli as a process against bmc-sim as a process.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "cli/run_row.h"
#include "sim/sim_process.h"
#include "sim/unique_fd.h"
#include "wire/frame_line.h"

namespace bms::cli {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::istringstream in(text);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
  return fields;
}

std::size_t CountContaining(const std::vector<std::string>& lines, const std::string& part) {
  std::size_t count = 0;
  for (const auto& line : lines) count += line.find(part) != std::string::npos ? 1 : 0;
  return count;
}

class CliWatch : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "bms-cli-watch-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string file(const std::string& name) const { return (dir / name).string(); }

  static std::vector<std::string> Tcp(int port, const std::vector<std::string>& command) {
    std::vector<std::string> args{"--tcp", "127.0.0.1:" + std::to_string(port)};
    args.insert(args.end(), command.begin(), command.end());
    return args;
  }

  fs::path dir;
};

TEST_F(CliWatch, MonitorPrintsARowPerSetAndTheSameRowsAsCsv) {
  sim::SimProcess sim({"--direct", "0", "--rate", "5", "--faults", "05", "--warnings", "80"});
  const auto csv = file("run.csv");
  const auto run = RunCli(Tcp(sim.Port("direct"), {"monitor", "--seconds", "2", "--csv", csv}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto out = Lines(run.out);
  ASSERT_GE(out.size(), 4u) << run.out;  // the header and some of the ten sets
  EXPECT_LE(out.size(), 12u) << run.out;
  EXPECT_EQ(Split(out[0], ' '),
            std::vector<std::string>(kRunRowColumns.begin(), kRunRowColumns.end()));
  for (std::size_t n = 1; n < out.size(); ++n) {
    const auto fields = Split(out[n], ' ');
    ASSERT_EQ(fields.size(), kRunRowColumns.size()) << out[n];
    EXPECT_EQ(fields[9], "05") << out[n];
    EXPECT_EQ(fields[10], "80") << out[n];
    const double soc = std::stod(fields[1]);
    EXPECT_GT(soc, 0.0) << out[n];
    EXPECT_LE(soc, 100.0) << out[n];
    EXPECT_GE(std::stod(fields[5]), std::stod(fields[6])) << out[n];
  }
  const auto rows = Lines(Read(csv));
  ASSERT_EQ(rows.size(), out.size());
  for (std::size_t n = 0; n < rows.size(); ++n) EXPECT_EQ(Split(rows[n], ','), Split(out[n], ' '));
}

TEST_F(CliWatch, RecordThroughTheRelayThenExport) {
  sim::SimProcess sim(
      {"--relay", "0", "--password", "secret", "--rate", "5", "--bics", "2", "--faults", "05"});
  const auto recording = file("pack.bmsrec");
  const auto run = RunCli({"--relay", "127.0.0.1:" + std::to_string(sim.Port("relay")),
                           "--password", "secret", "record", recording, "--seconds", "4"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");

  const auto exported = RunCli({"export", recording, file("csv")});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(Lines(exported.out).size(), 6u) << exported.out;

  const auto runData = Lines(Read(dir / "csv" / "run_data.csv"));
  EXPECT_GE(runData.size(), 1u + 5u) << "a header and some of the twenty sets";
  const auto cells = Lines(Read(dir / "csv" / "cells.csv"));
  EXPECT_GE(CountContaining(cells, ",1,1,"), 1u) << "cell 1 of BIC 1";
  EXPECT_GE(CountContaining(cells, ",2,1,"), 1u) << "cell 1 of BIC 2";
  EXPECT_GE(Lines(Read(dir / "csv" / "temperatures.csv")).size(), 2u);
  // Fault flags 0 and 2 came on once, at the first set; nothing went off.
  const auto alarms = Lines(Read(dir / "csv" / "alarms.csv"));
  EXPECT_EQ(CountContaining(alarms, ",0,fault,on,"), 1u) << Read(dir / "csv" / "alarms.csv");
  EXPECT_EQ(CountContaining(alarms, ",2,fault,on,"), 1u);
  EXPECT_EQ(alarms.size(), 3u);
  const auto traffic = Read(dir / "csv" / "traffic.csv");
  const auto password = wire::EncodeAccessPassword("secret");
  ASSERT_TRUE(password.has_value());
  EXPECT_EQ(traffic.find(password->substr(0, 8)), std::string::npos) << "the password shows";
  EXPECT_NE(traffic.find(",tx,\"T,05F5E100,SC,********,********,********,\""), std::string::npos)
      << traffic;
  EXPECT_NE(traffic.find(",tx,\"T,05F5E100,S6,09A01002,FFFFFFFF,FFFFFFFF,\""), std::string::npos);
  EXPECT_NE(traffic.find(",rx,\"T,05F5E100,7,09A11702,"), std::string::npos);
}

// A listener of the test's own: a connection to it would show that something was sent.
TEST_F(CliWatch, BadFilesExitTwoBeforeAnythingIsOpened) {
  sim::UniqueFd listener(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), size), 0);
  ASSERT_EQ(::listen(listener.get(), 4), 0);
  ASSERT_EQ(::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &size), 0);
  const int port = ntohs(address.sin_port);
  std::ofstream(file("old.bmsrec")) << "an earlier recording";
  std::ofstream(file("notes.txt")) << "not a recording";

  struct Case {
    std::vector<std::string> args;
    std::string message;  // a part of what standard error says
  };
  const std::vector<Case> cases = {
      {Tcp(port, {"record", file("old.bmsrec"), "--seconds", "1"}), "exists already"},
      {Tcp(port, {"record", file("no-folder/r.bmsrec"), "--seconds", "1"}), "no such folder"},
      {Tcp(port, {"monitor", "--seconds", "1", "--csv", file("no-folder/r.csv")}),
       "no such folder"},
      {{"export", file("notes.txt"), file("out")}, "notes.txt"},
      {{"export", file("missing.bmsrec"), file("out")}, "missing.bmsrec"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.args[c.args.size() - 2];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    pollfd p{listener.get(), POLLIN, 0};
    EXPECT_EQ(::poll(&p, 1, 0), 0) << c.args[c.args.size() - 2] << ": a connection was made";
  }
  EXPECT_EQ(Read(file("old.bmsrec")), "an earlier recording");
}

TEST_F(CliWatch, ALostLinkExitsThreeAndSilenceExitsOne) {
  sim::SimProcess dropping({"--direct", "0", "--rate", "5", "--drop-after", "12"});
  const int port = dropping.Port("direct");
  auto run = RunCli(Tcp(port, {"monitor", "--seconds", "20"}));
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_NE(run.err.find("lost"), std::string::npos) << run.err;
  // Twelve lines hold two whole sets of five; a row for each, after the header.
  EXPECT_EQ(Lines(run.out).size(), 3u) << run.out;

  // What was recorded up to the loss stays a readable recording.
  run = RunCli(Tcp(port, {"record", file("cut.bmsrec"), "--seconds", "20"}));
  EXPECT_EQ(run.exitCode, 3) << run.err;
  run = RunCli({"export", file("cut.bmsrec"), file("cut")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_GE(Lines(Read(dir / "cut" / "run_data.csv")).size(), 2u);

  sim::SimProcess silent({"--direct", "0", "--silent"});
  run = RunCli(Tcp(silent.Port("direct"), {"monitor", "--seconds", "1"}));
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("no complete set"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace bms::cli
