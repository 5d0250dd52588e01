#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"

namespace bms::cli {
namespace {

std::variant<Options, UsageError, HelpWanted> Parse(const std::vector<std::string>& args) {
  const std::vector<std::string_view> views(args.begin(), args.end());
  return ParseArguments(views);
}

// The fields that differ from a default Options, as "name=value " words.
std::string Changed(const Options& o) {
  constexpr const char* kLinks[] = {"tcp", "relay", "serial"};
  constexpr const char* kCommands[] = {"params",  "backup", "diff",  "restore",
                                       "monitor", "record", "export"};
  const Options d;
  std::ostringstream text;
  const auto add = [&text](bool differs, const char* name, const auto& value) {
    if (differs) text << name << "=" << value << " ";
  };
  add(o.link != d.link, "link", kLinks[static_cast<int>(o.link)]);
  add(o.host != d.host, "host", o.host);
  add(o.port != d.port, "port", o.port);
  add(o.password != d.password, "password", o.password);
  add(o.device != d.device, "device", o.device);
  add(o.bmc != d.bmc, "bmc", o.bmc);
  add(o.timeoutMs != d.timeoutMs, "timeout", o.timeoutMs);
  add(o.command != d.command, "command", kCommands[static_cast<int>(o.command)]);
  add(o.file != d.file, "file", o.file);
  add(o.dryRun != d.dryRun, "dryRun", o.dryRun);
  add(o.seconds != d.seconds, "seconds", o.seconds);
  add(o.csvFile != d.csvFile, "csv", o.csvFile);
  add(o.directory != d.directory, "directory", o.directory);
  return text.str();
}

TEST(CliArguments, GoodCommandLines) {
  for (const auto& [args, changed] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--tcp", "127.0.0.1:8000", "params"}, "host=127.0.0.1 port=8000 "},
           {{"--relay", "relay.example:65535", "--password", "12345678901", "--bmc", "999999999",
             "backup", "out.json"},
            "link=relay host=relay.example port=65535 password=12345678901 bmc=999999999 "
            "command=backup file=out.json "},
           {{"--password", "", "--timeout", "1", "--relay", "::1:1", "diff", "p.json"},
            "link=relay host=::1 port=1 timeout=1 command=diff file=p.json "},
           {{"--serial", "/dev/ttyUSB0", "--bmc", "100000000", "restore", "p.json", "--dry-run"},
            "link=serial device=/dev/ttyUSB0 command=restore file=p.json dryRun=1 "},
           {{"--tcp", "h:2", "--timeout", "600000", "restore", "p.json"},
            "host=h port=2 timeout=600000 command=restore file=p.json "},
           {{"--tcp", "h:2", "monitor", "--seconds", "2"},
            "host=h port=2 command=monitor seconds=2 "},
           {{"--tcp", "h:2", "monitor", "--csv", "run.csv", "--seconds", "2592000"},
            "host=h port=2 command=monitor seconds=2592000 csv=run.csv "},
           {{"--serial", "/dev/ttyS0", "record", "--seconds", "1", "r.db"},
            "link=serial device=/dev/ttyS0 command=record file=r.db seconds=1 "},
           {{"export", "r.db", "out"}, "command=export file=r.db directory=out "},
       }) {
    const auto parsed = Parse(args);
    const auto* options = std::get_if<Options>(&parsed);
    ASSERT_NE(options, nullptr) << args.back() << ": " << std::get<UsageError>(parsed).reason;
    EXPECT_EQ(Changed(*options), changed) << args[1];
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
