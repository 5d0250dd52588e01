// bms-cli as a process against bmc-sim as a process: params, backup, diff and
// restore.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "params/catalogue.h"
#include "profiles/profile.h"
#include "sim/sim_process.h"

namespace bms::cli {
namespace {

namespace fs = std::filesystem;

// The output line of the row with this read ID and item ("-" for none), or "".
std::string LineOf(const std::string& out, const std::string& readId, const std::string& item) {
  for (const auto& line : Lines(out)) {
    if (line.starts_with(readId + " " + item + " ")) return line;
  }
  return "";
}

std::vector<std::string> With(std::vector<std::string> link,
                              const std::vector<std::string>& command) {
  link.insert(link.end(), command.begin(), command.end());
  return link;
}

// Two rows: a millivolt limit and an item of a multi-item group.
const profiles::ProfileEntry kMaxLimit{"09A00174", std::nullopt, "3650"};
const profiles::ProfileEntry kStopCharge{"09A00180", 0, "3550"};

class CliEndToEnd : public CliTest {
 protected:
  // A backup of the simulator behind `link` with the values of some rows
  // changed.
  void BackUpAndEdit(const std::vector<std::string>& link, const std::string& path,
                     const std::vector<std::pair<profiles::ProfileEntry, std::string>>& changes) {
    const auto backup = RunCli(With(link, {"--bmc", "100000000", "backup", path}));
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    EXPECT_EQ(backup.out, "");
    EXPECT_FALSE(fs::exists(path + ".part"));
    const auto catalogue = params::ParameterCatalogue();
    auto read = profiles::ReadProfileFile(Read(path), catalogue);
    ASSERT_TRUE(std::holds_alternative<profiles::Profile>(read));
    auto& profile = std::get<profiles::Profile>(read);
    for (const auto& [key, value] : changes) {
      bool found = false;
      for (auto& entry : profile.entries) {
        if (entry.readId != key.readId || entry.item != key.item) continue;
        ASSERT_EQ(entry.value, key.value) << key.readId << ": the simulator's value has moved";
        entry.value = value;
        found = true;
      }
      ASSERT_TRUE(found) << key.readId;
    }
    std::ofstream(path, std::ios::binary) << profiles::WriteProfileFile(profile, catalogue);
  }
};

TEST_F(CliEndToEnd, ParamsListsEveryRowInCatalogueOrderOverEveryLink) {
  sim::SimProcess sim(
      {"--direct", "0", "--relay", "0", "--password", "secret", "--serial", file("tty")});
  std::string direct, relay;
  for (const auto& endpoint : sim.Endpoints()) {
    if (endpoint.starts_with("direct ")) direct = endpoint.substr(7);
    if (endpoint.starts_with("relay ")) relay = endpoint.substr(6);
  }
  ASSERT_FALSE(direct.empty() || relay.empty());
  const auto catalogue = params::ParameterCatalogue();
  for (const auto& link :
       std::vector<std::vector<std::string>>{{"--tcp", direct},
                                             {"--relay", relay, "--password", "secret"},
                                             {"--serial", file("tty")}}) {
    const auto run = RunCli(With(link, {"params"}));
    EXPECT_EQ(run.exitCode, 0) << link[0] << "\n" << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), catalogue.size()) << link[0];
    for (std::size_t n = 0; n < lines.size(); ++n) {
      const auto& row = catalogue[n];
      const std::string key = std::string(row.codec.readId) + " " +
                              (row.codec.item ? std::to_string(*row.codec.item) : "-") + " ";
      EXPECT_TRUE(lines[n].starts_with(key)) << link[0] << ": " << lines[n];
      EXPECT_TRUE(lines[n].ends_with(" " + std::string(row.english))) << lines[n];
      EXPECT_EQ(lines[n].find(" ? "), std::string::npos) << lines[n];
    }
    EXPECT_EQ(LineOf(run.out, "09A00174", "-"), "09A00174 - 3650 mV Maximum Limit Cell Voltage");
    EXPECT_EQ(LineOf(run.out, "09A00180", "0"), "09A00180 0 3550 mV Stop charge voltage");
  }
}

TEST_F(CliEndToEnd, BackupEditRestoreAndTheDiffIsEmpty) {
  sim::SimProcess sim({"--direct", "0"});
  const auto link = Tcp(sim.Port("direct"));
  const auto profile = file("pack.json");
  const auto run = [&](const std::vector<std::string>& command) {
    return RunCli(With(link, command));
  };

  BackUpAndEdit(link, profile, {{kMaxLimit, "3640"}, {kStopCharge, "3500"}});
  auto result = run({"diff", profile});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_EQ(result.out,
            "09A00174 - 3650 3640 Maximum Limit Cell Voltage\n"
            "09A00180 0 3550 3500 Stop charge voltage\n");
  result = run({"restore", profile, "--dry-run"});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_EQ(LineOf(result.out, "09A00174", "-"),
            "09A00174 - would-write 3650 3640 Maximum Limit Cell Voltage");

  result = run({"restore", profile});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Lines(result.out).size(), params::ParameterCatalogue().size());
  EXPECT_EQ(LineOf(result.out, "09A00174", "-"),
            "09A00174 - verified 3640 3640 Maximum Limit Cell Voltage");
  EXPECT_EQ(LineOf(result.out, "09A00180", "0"),
            "09A00180 0 verified 3500 3500 Stop charge voltage");
  EXPECT_EQ(LineOf(result.out, "09A00180", "1"),
            "09A00180 1 same 3400 3400 Restore charge voltage");

  result = run({"diff", profile});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(LineOf(run({"params"}).out, "09A00174", "-"),
            "09A00174 - 3640 mV Maximum Limit Cell Voltage");
}

TEST_F(CliEndToEnd, RefusedSavesExitOneAndNameTheRows) {
  for (const std::string flag : {"--refuse-saves", "--locked"}) {
    sim::SimProcess sim({"--direct", "0", flag});
    const auto link = Tcp(sim.Port("direct"));
    const auto profile = file("pack.json");
    BackUpAndEdit(link, profile, {{kMaxLimit, "3640"}});
    const auto run = RunCli(With(link, {"restore", profile}));
    EXPECT_EQ(run.exitCode, 1) << flag;
    EXPECT_EQ(LineOf(run.out, "09A00174", "-"),
              "09A00174 - refused 3650 3640 Maximum Limit Cell Voltage")
        << flag;
    EXPECT_EQ(LineOf(run.out, "09A00180", "0"), "09A00180 0 same 3550 3550 Stop charge voltage")
        << flag;
    EXPECT_EQ(RunCli(With(link, {"diff", profile})).exitCode, 1) << flag;
  }
}

// Every command that reads or writes a file checks it before it opens the link.
TEST_F(CliEndToEnd, ABadFileExitsTwoBeforeAnythingIsOpened) {
  const Listener listener;
  const int port = listener.port();
  sim::SimProcess sim({"--direct", "0"});
  const auto profile = file("pack.json");
  BackUpAndEdit(Tcp(sim.Port("direct")), profile, {{kMaxLimit, "70000"}});
  std::ofstream(file("not-json.json")) << "{ \"format\": ";
  std::ofstream(file("old.bmsrec")) << "an earlier recording";
  std::ofstream(file("notes.txt")) << "not a recording";

  struct Case {
    std::vector<std::string> args;
    std::string message;  // a part of what standard error says
  };
  for (const auto& c : std::vector<Case>{
           {Tcp(port, {"restore", profile}), "/parameters/0/value"},
           {Tcp(port, {"restore", profile, "--dry-run"}), "70000"},
           {Tcp(port, {"diff", profile}), "/parameters/0/value"},
           {Tcp(port, {"diff", file("not-json.json")}), "not-json.json"},
           {Tcp(port, {"restore", file("missing.json")}), "missing.json"},
           {Tcp(port, {"backup", file("no-folder/pack.json")}), "no such folder"},
           {Tcp(port, {"record", file("old.bmsrec"), "--seconds", "1"}), "exists already"},
           {Tcp(port, {"record", file("no-folder/r.bmsrec"), "--seconds", "1"}), "no such folder"},
           {Tcp(port, {"monitor", "--seconds", "1", "--csv", file("no-folder/r.csv")}),
            "no such folder"},
           {{"export", file("notes.txt"), file("out")}, "notes.txt"},
           {{"export", file("missing.bmsrec"), file("out")}, "missing.bmsrec"},
       }) {
    const auto run = RunCli(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "") << c.message;
    EXPECT_FALSE(listener.connected()) << c.message << ": a connection was made";
  }
  EXPECT_EQ(Read(file("old.bmsrec")), "an earlier recording");
}

TEST_F(CliEndToEnd, NoLinkOrALostOneExitsThree) {
  sim::SimProcess relay({"--relay", "0", "--password", "secret"});
  const auto relayEndpoint = "127.0.0.1:" + std::to_string(relay.Port("relay"));
  sim::SimProcess refusing({"--relay", "0", "--password", "secret", "--refuse-login"});
  const auto refusingEndpoint = "127.0.0.1:" + std::to_string(refusing.Port("relay"));
  sim::SimProcess dropping({"--direct", "0", "--drop-after", "10"});
  const auto droppingPort = dropping.Port("direct");

  for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--relay", relayEndpoint, "--password", "wrong", "params"}, "refused"},
           {{"--relay", refusingEndpoint, "--password", "secret", "params"}, "refused"},
           {{"--serial", file("no-such-tty"), "params"}, "no-such-tty"},
           {Tcp(droppingPort, {"params"}), "lost"},
       }) {
    const auto run = RunCli(args);
    EXPECT_EQ(run.exitCode, 3) << args[1];
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
  }
  // The rows read before the loss are reported; the rest show as not read.
  const auto lines = Lines(RunCli(Tcp(droppingPort, {"params"})).out);
  ASSERT_EQ(lines.size(), params::ParameterCatalogue().size());
  EXPECT_EQ(lines.front(), "09A00174 - 3650 mV Maximum Limit Cell Voltage");
  EXPECT_NE(lines.back().find(" ? "), std::string::npos) << lines.back();
}

TEST_F(CliEndToEnd, AControllerThatNeverAnswersShowsEveryRowAsUnknown) {
  sim::SimProcess sim({"--direct", "0", "--silent"});
  const auto run = RunCli(Tcp(sim.Port("direct"), {"--timeout", "5", "params"}));
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), params::ParameterCatalogue().size());
  EXPECT_EQ(lines.front(), "09A00174 - ? mV Maximum Limit Cell Voltage");
  for (const auto& line : lines) EXPECT_NE(line.find(" ? "), std::string::npos) << line;
}

}  // namespace
}  // namespace bms::cli
