// monitor, record and export: bms-cli as a process against bmc-sim as a
// process. Bad files are checked with the other commands' in
// cli_end_to_end_test.cpp.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "cli/run_row.h"
#include "sim/sim_process.h"
#include "wire/frame_line.h"

namespace bms::cli {
namespace {

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

using CliWatch = CliTest;

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
    EXPECT_TRUE(soc > 0.0 && soc <= 100.0) << out[n];
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
  const auto csv = dir / "csv";
  EXPECT_GE(Lines(Read(csv / "run_data.csv")).size(), 1u + 5u) << "header, some of twenty sets";
  const auto cells = Lines(Read(csv / "cells.csv"));
  EXPECT_GE(CountContaining(cells, ",1,1,"), 1u) << "cell 1 of BIC 1";
  EXPECT_GE(CountContaining(cells, ",2,1,"), 1u) << "cell 1 of BIC 2";
  EXPECT_GE(Lines(Read(csv / "temperatures.csv")).size(), 2u);
  // Fault flags 0 and 2 came on once, at the first set; nothing went off.
  const auto alarms = Lines(Read(csv / "alarms.csv"));
  EXPECT_EQ(CountContaining(alarms, ",0,fault,on,"), 1u) << Read(csv / "alarms.csv");
  EXPECT_EQ(CountContaining(alarms, ",2,fault,on,"), 1u);
  EXPECT_EQ(alarms.size(), 3u);
  const auto traffic = Read(csv / "traffic.csv");
  const auto password = wire::EncodeAccessPassword("secret");
  ASSERT_TRUE(password.has_value());
  EXPECT_EQ(traffic.find(password->substr(0, 8)), std::string::npos) << "the password shows";
  for (const char* line :
       {",tx,\"T,05F5E100,SC,********,********,********,\"",
        ",tx,\"T,05F5E100,S6,09A01002,FFFFFFFF,FFFFFFFF,\"", ",rx,\"T,05F5E100,7,09A11702,"}) {
    EXPECT_NE(traffic.find(line), std::string::npos) << line << "\n" << traffic;
  }
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
