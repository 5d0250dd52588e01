// bms-cli as a process against bmc-sim as a process.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "params/catalogue.h"
#include "profiles/profile.h"
#include "sim/sim_process.h"
#include "sim/unique_fd.h"

namespace bms::cli {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The output line of the row with this read ID and item ("-" for none), or "".
std::string LineOf(const std::string& out, const std::string& readId, const std::string& item) {
  for (const auto& line : Lines(out)) {
    if (line.starts_with(readId + " " + item + " ")) return line;
  }
  return "";
}

class CliEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "bms-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string file(const std::string& name) const { return (dir / name).string(); }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // The profile in the file with the values of some rows changed.
  static void Edit(const std::string& path,
                   const std::vector<std::pair<profiles::ProfileEntry, std::string>>& changes) {
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

  static std::vector<std::string> Tcp(int port) {
    return {"--tcp", "127.0.0.1:" + std::to_string(port)};
  }

  static std::vector<std::string> With(std::vector<std::string> link,
                                       const std::vector<std::string>& command) {
    link.insert(link.end(), command.begin(), command.end());
    return link;
  }

  fs::path dir;
};

// Two rows: a millivolt limit and an item of a multi-item group.
const profiles::ProfileEntry kMaxLimit{"09A00174", std::nullopt, "3650"};
const profiles::ProfileEntry kStopCharge{"09A00180", 0, "3550"};

TEST_F(CliEndToEnd, ParamsListsEveryRowInCatalogueOrderOverEveryLink) {
  sim::SimProcess sim(
      {"--direct", "0", "--relay", "0", "--password", "secret", "--serial", file("tty")});
  std::string direct, relay;
  for (const auto& endpoint : sim.Endpoints()) {
    if (endpoint.starts_with("direct ")) direct = endpoint.substr(7);
    if (endpoint.starts_with("relay ")) relay = endpoint.substr(6);
  }
  ASSERT_FALSE(direct.empty());
  ASSERT_FALSE(relay.empty());
  const std::vector<std::vector<std::string>> links = {
      {"--tcp", direct},
      {"--relay", relay, "--password", "secret"},
      {"--serial", file("tty")},
  };
  const auto catalogue = params::ParameterCatalogue();
  for (const auto& link : links) {
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

  auto run = RunCli(With(link, {"--bmc", "100000000", "backup", profile}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(profile + ".part"));
  Edit(profile, {{kMaxLimit, "3640"}, {kStopCharge, "3500"}});

  run = RunCli(With(link, {"diff", profile}));
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out,
            "09A00174 - 3650 3640 Maximum Limit Cell Voltage\n"
            "09A00180 0 3550 3500 Stop charge voltage\n");

  run = RunCli(With(link, {"restore", profile, "--dry-run"}));
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(LineOf(run.out, "09A00174", "-"),
            "09A00174 - would-write 3650 3640 Maximum Limit Cell Voltage");

  run = RunCli(With(link, {"restore", profile}));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Lines(run.out).size(), params::ParameterCatalogue().size());
  EXPECT_EQ(LineOf(run.out, "09A00174", "-"),
            "09A00174 - verified 3640 3640 Maximum Limit Cell Voltage");
  EXPECT_EQ(LineOf(run.out, "09A00180", "0"), "09A00180 0 verified 3500 3500 Stop charge voltage");
  EXPECT_EQ(LineOf(run.out, "09A00180", "1"), "09A00180 1 same 3400 3400 Restore charge voltage");

  run = RunCli(With(link, {"diff", profile}));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  run = RunCli(With(link, {"params"}));
  EXPECT_EQ(LineOf(run.out, "09A00174", "-"), "09A00174 - 3640 mV Maximum Limit Cell Voltage");
}

TEST_F(CliEndToEnd, RefusedSavesExitOneAndNameTheRows) {
  for (const std::string flag : {"--refuse-saves", "--locked"}) {
    sim::SimProcess sim({"--direct", "0", flag});
    const auto link = Tcp(sim.Port("direct"));
    const auto profile = file("pack.json");
    ASSERT_EQ(RunCli(With(link, {"backup", profile})).exitCode, 0) << flag;
    Edit(profile, {{kMaxLimit, "3640"}});
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

// A listener of the test's own: a connection to it would show that something was opened.
TEST_F(CliEndToEnd, ABadFileExitsTwoBeforeAnythingIsOpened) {
  sim::UniqueFd listener(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), size), 0);
  ASSERT_EQ(::listen(listener.get(), 4), 0);
  ASSERT_EQ(::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &size), 0);
  const auto link = Tcp(ntohs(address.sin_port));

  sim::SimProcess sim({"--direct", "0"});
  const auto profile = file("pack.json");
  ASSERT_EQ(RunCli(With(Tcp(sim.Port("direct")), {"backup", profile})).exitCode, 0);
  Edit(profile, {{kMaxLimit, "70000"}});
  std::ofstream(file("not-json.json")) << "{ \"format\": ";

  struct Case {
    std::vector<std::string> command;
    std::string message;  // a part of what standard error says
  };
  const std::vector<Case> cases = {
      {{"restore", profile}, "/parameters/0/value"},
      {{"restore", profile, "--dry-run"}, "70000"},
      {{"diff", profile}, "/parameters/0/value"},
      {{"diff", file("not-json.json")}, "not-json.json"},
      {{"restore", file("missing.json")}, "missing.json"},
      {{"backup", file("no-folder/pack.json")}, "no such folder"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(With(link, c.command));
    EXPECT_EQ(run.exitCode, 2) << c.command.back();
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    pollfd p{listener.get(), POLLIN, 0};
    EXPECT_EQ(::poll(&p, 1, 0), 0) << c.command.back() << ": a connection was made";
  }
}

TEST_F(CliEndToEnd, NoLinkOrALostOneExitsThree) {
  sim::SimProcess relay({"--relay", "0", "--password", "secret"});
  const auto relayEndpoint = "127.0.0.1:" + std::to_string(relay.Port("relay"));
  sim::SimProcess refusing({"--relay", "0", "--password", "secret", "--refuse-login"});
  const auto refusingEndpoint = "127.0.0.1:" + std::to_string(refusing.Port("relay"));
  sim::SimProcess dropping({"--direct", "0", "--drop-after", "10"});
  const auto droppingPort = dropping.Port("direct");

  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--relay", relayEndpoint, "--password", "wrong", "params"}, "refused"},
      {{"--relay", refusingEndpoint, "--password", "secret", "params"}, "refused"},
      {{"--serial", file("no-such-tty"), "params"}, "no-such-tty"},
      {With(Tcp(droppingPort), {"params"}), "lost"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.args);
    EXPECT_EQ(run.exitCode, 3) << c.args[1];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  // The rows read before the loss are reported; the rest show as not read.
  const auto run = RunCli(With(Tcp(droppingPort), {"params"}));
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), params::ParameterCatalogue().size());
  EXPECT_EQ(lines.front(), "09A00174 - 3650 mV Maximum Limit Cell Voltage");
  EXPECT_NE(lines.back().find(" ? "), std::string::npos) << lines.back();
}

TEST_F(CliEndToEnd, AControllerThatNeverAnswersShowsEveryRowAsUnknown) {
  sim::SimProcess sim({"--direct", "0", "--silent"});
  const auto run = RunCli(With(Tcp(sim.Port("direct")), {"--timeout", "5", "params"}));
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), params::ParameterCatalogue().size());
  EXPECT_EQ(lines.front(), "09A00174 - ? mV Maximum Limit Cell Voltage");
  for (const auto& line : lines) EXPECT_NE(line.find(" ? "), std::string::npos) << line;
}

}  // namespace
}  // namespace bms::cli
