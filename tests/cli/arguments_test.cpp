#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_process.h"

namespace bms::cli {
namespace {

std::variant<Options, UsageError, HelpWanted> Parse(const std::vector<std::string>& args) {
  const std::vector<std::string_view> views(args.begin(), args.end());
  return ParseArguments(views);
}

TEST(CliArguments, GoodCommandLines) {
  struct Case {
    std::vector<std::string> args;
    Options expected;
  };
  auto with = [](auto change) {
    Options options;
    change(options);
    return options;
  };
  const std::vector<Case> cases = {
      {{"--tcp", "127.0.0.1:8000", "params"}, with([](Options& o) {
         o.host = "127.0.0.1";
         o.port = 8000;
       })},
      {{"--relay", "relay.example:65535", "--password", "12345678901", "--bmc", "999999999",
        "backup", "out.json"},
       with([](Options& o) {
         o.link = LinkKind::Relay;
         o.host = "relay.example";
         o.port = 65535;
         o.password = "12345678901";
         o.bmc = "999999999";
         o.command = Command::Backup;
         o.file = "out.json";
       })},
      {{"--password", "", "--timeout", "1", "--relay", "::1:1", "diff", "p.json"},
       with([](Options& o) {
         o.link = LinkKind::Relay;
         o.host = "::1";
         o.port = 1;
         o.timeoutMs = 1;
         o.command = Command::Diff;
         o.file = "p.json";
       })},
      {{"--serial", "/dev/ttyUSB0", "--bmc", "100000000", "restore", "p.json", "--dry-run"},
       with([](Options& o) {
         o.link = LinkKind::Serial;
         o.device = "/dev/ttyUSB0";
         o.command = Command::Restore;
         o.file = "p.json";
         o.dryRun = true;
       })},
      {{"--tcp", "h:2", "--timeout", "600000", "restore", "p.json"}, with([](Options& o) {
         o.host = "h";
         o.port = 2;
         o.timeoutMs = 600000;
         o.command = Command::Restore;
         o.file = "p.json";
       })},
      {{"--tcp", "h:2", "monitor", "--seconds", "2"}, with([](Options& o) {
         o.host = "h";
         o.port = 2;
         o.command = Command::Monitor;
         o.seconds = 2;
       })},
      {{"--tcp", "h:2", "monitor", "--csv", "run.csv", "--seconds", "2592000"},
       with([](Options& o) {
         o.host = "h";
         o.port = 2;
         o.command = Command::Monitor;
         o.seconds = 2592000;
         o.csvFile = "run.csv";
       })},
      {{"--serial", "/dev/ttyS0", "record", "--seconds", "1", "r.db"}, with([](Options& o) {
         o.link = LinkKind::Serial;
         o.device = "/dev/ttyS0";
         o.command = Command::Record;
         o.file = "r.db";
         o.seconds = 1;
       })},
      {{"export", "r.db", "out"}, with([](Options& o) {
         o.command = Command::Export;
         o.file = "r.db";
         o.directory = "out";
       })},
  };
  for (const auto& c : cases) {
    const auto parsed = Parse(c.args);
    const auto* options = std::get_if<Options>(&parsed);
    ASSERT_NE(options, nullptr) << c.args.back() << ": " << std::get<UsageError>(parsed).reason;
    const auto& e = c.expected;
    EXPECT_EQ(options->link, e.link) << c.args[1];
    EXPECT_EQ(options->host, e.host) << c.args[1];
    EXPECT_EQ(options->port, e.port) << c.args[1];
    EXPECT_EQ(options->password, e.password) << c.args[1];
    EXPECT_EQ(options->device, e.device) << c.args[1];
    EXPECT_EQ(options->bmc, e.bmc) << c.args[1];
    EXPECT_EQ(options->timeoutMs, e.timeoutMs) << c.args[1];
    EXPECT_EQ(options->command, e.command) << c.args[1];
    EXPECT_EQ(options->file, e.file) << c.args[1];
    EXPECT_EQ(options->dryRun, e.dryRun) << c.args[1];
    EXPECT_EQ(options->seconds, e.seconds) << c.args[1];
    EXPECT_EQ(options->csvFile, e.csvFile) << c.args[1];
    EXPECT_EQ(options->directory, e.directory) << c.args[1];
  }
}

// Each is refused with a reason naming the fault, and the program exits 2 with the
// reason and the usage, having opened nothing (the ports named here have no listener).
TEST(CliArguments, BadCommandLinesExitTwoWithAReason) {
  struct Case {
    std::vector<std::string> args;
    std::string reason;  // a part of the reason
  };
  const std::vector<Case> cases = {
      {{}, "no link"},
      {{"params"}, "no link"},
      {{"--tcp", "127.0.0.1:9", "watch"}, "unknown command"},
      {{"--tcp", "127.0.0.1:9", "monitor"}, "monitor needs --seconds"},
      {{"--tcp", "127.0.0.1:9", "monitor", "--seconds"}, "--seconds needs a value"},
      {{"--tcp", "127.0.0.1:9", "monitor", "--seconds", "0"}, "--seconds wants"},
      {{"--tcp", "127.0.0.1:9", "monitor", "--seconds", "2592001"}, "--seconds wants"},
      {{"--tcp", "127.0.0.1:9", "monitor", "--seconds", "1", "--seconds", "2"}, "twice"},
      {{"--tcp", "127.0.0.1:9", "monitor", "--seconds", "1", "--csv", "--x"}, "--csv wants"},
      {{"--tcp", "127.0.0.1:9", "monitor", "--seconds", "1", "out.csv"}, "unexpected argument"},
      {{"--tcp", "127.0.0.1:9", "record", "r.db"}, "record needs --seconds"},
      {{"--tcp", "127.0.0.1:9", "record", "--seconds", "1"}, "record needs a FILE"},
      {{"--tcp", "127.0.0.1:9", "record", "r.db", "--seconds", "1", "--csv", "c"},
       "unexpected argument \"--csv\""},
      {{"record", "r.db", "--seconds", "1"}, "no link"},
      {{"monitor", "--seconds", "1"}, "no link"},
      {{"export", "r.db"}, "export needs a RECORDING and a DIR"},
      {{"export", "r.db", "out", "more"}, "unexpected argument"},
      {{"export", "--seconds", "out"}, "export wants a RECORDING"},
      {{"--tcp", "127.0.0.1:9"}, "no command"},
      {{"--tcp"}, "needs a value"},
      {{"--tcp", "127.0.0.1", "params"}, "HOST:PORT"},
      {{"--tcp", "127.0.0.1:0", "params"}, "HOST:PORT"},
      {{"--tcp", "127.0.0.1:65536", "params"}, "HOST:PORT"},
      {{"--tcp", "127.0.0.1:+80", "params"}, "HOST:PORT"},
      {{"--tcp", ":80", "params"}, "HOST:PORT"},
      {{"--tcp", "127.0.0.1:9", "--serial", "/dev/x", "params"}, "more than one link"},
      {{"--relay", "127.0.0.1:9", "params"}, "needs --password"},
      {{"--tcp", "127.0.0.1:9", "--password", "x", "params"}, "belongs to --relay"},
      {{"--relay", "127.0.0.1:9", "--password", "123456789012", "params"}, "longer than 11"},
      {{"--tcp", "127.0.0.1:9", "--bmc", "99999999", "params"}, "--bmc"},
      {{"--tcp", "127.0.0.1:9", "--bmc", "1000000000", "params"}, "--bmc"},
      {{"--tcp", "127.0.0.1:9", "--bmc", "012345678", "params"}, "--bmc"},
      {{"--tcp", "127.0.0.1:9", "--bmc", "-10000000", "params"}, "--bmc"},
      {{"--tcp", "127.0.0.1:9", "--bmc", "1", "--bmc", "100000000", "params"}, "--bmc"},
      {{"--tcp", "127.0.0.1:9", "--bmc", "100000000", "--bmc", "100000000", "params"}, "twice"},
      {{"--tcp", "127.0.0.1:9", "--timeout", "0", "params"}, "--timeout"},
      {{"--tcp", "127.0.0.1:9", "--timeout", "600001", "params"}, "--timeout"},
      {{"--tcp", "127.0.0.1:9", "--timeout", "1.5", "params"}, "--timeout"},
      {{"--tcp", "127.0.0.1:9", "--timeout", "99999999999999999999", "params"}, "--timeout"},
      {{"--tcp", "127.0.0.1:9", "--verbose", "params"}, "unknown option --verbose"},
      {{"--tcp", "127.0.0.1:9", "params", "extra"}, "unexpected argument"},
      {{"--tcp", "127.0.0.1:9", "params", "--dry-run"}, "unexpected argument"},
      {{"--tcp", "127.0.0.1:9", "backup"}, "needs a FILE"},
      {{"--tcp", "127.0.0.1:9", "backup", "a.json", "--dry-run"}, "unexpected argument"},
      {{"--tcp", "127.0.0.1:9", "diff", "a.json", "b.json"}, "unexpected argument"},
      {{"--tcp", "127.0.0.1:9", "restore", "--dry-run"}, "needs a FILE"},
      {{"--tcp", "127.0.0.1:9", "restore", "--force", "a.json"}, "unexpected argument"},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const auto& arg : c.args) line += arg + " ";
    const auto parsed = Parse(c.args);
    const auto* error = std::get_if<UsageError>(&parsed);
    ASSERT_NE(error, nullptr) << line;
    EXPECT_NE(error->reason.find(c.reason), std::string::npos) << line << ": " << error->reason;

    const auto run = RunCli(c.args);
    EXPECT_EQ(run.exitCode, 2) << line;
    EXPECT_EQ(run.err, "bms-cli: " + error->reason + "\n" + std::string(kUsage)) << line;
    EXPECT_EQ(run.out, "") << line;
  }
}

TEST(CliArguments, TheUsageNamesEveryCommand) {
  for (const auto* command :
       {"params", "backup FILE", "diff FILE", "restore FILE [--dry-run]",
        "monitor --seconds N [--csv FILE]", "record FILE --seconds N", "export RECORDING DIR"}) {
    EXPECT_NE(kUsage.find(command), std::string_view::npos) << command;
  }
  const auto run = RunCli({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, kUsage);
}

}  // namespace
}  // namespace bms::cli
