// The real bmc-sim playing a recording to direct clients. Times are checked as lower
// bounds only: a busy machine may make anything slower, never faster.

#include <poll.h>
#include <signal.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "recorder/recording_file.h"
#include "recorder/recording_fixture.h"
#include "recorder/sqlite_db.h"
#include "sim/sim_process.h"
#include "sim/unique_fd.h"
#include "wire/frame_line.h"
#include "wire/line_cutter.h"

namespace bms::sim {
namespace {

#ifdef BMC_SIM_PATH

constexpr double kLowerBound = 0.8;
constexpr std::int64_t kStartMs = 1'780'000'000'000;

std::string RunLine(const char* id, const char* data1) {
  return "T,05F5E100,7," + std::string(id) + "," + data1 + ",FFFFFFFF,";
}

struct Row {
  std::int64_t afterMs;
  const char* direction;
  std::string line;
};

// Rows go in out of time order: the replay must sort them. Lines with one stamp keep
// the order they were written in; a stored line end is not doubled.
const std::vector<Row> kRows = {
    {3000, "rx", RunLine("09A10004", "83200CE4")},
    {0, "rx", RunLine("09A10001", "42480000")},
    {500, "tx", "T,05F5E100,6,09A00012,FFFFFFFF,FFFFFFFF,"},
    {1000, "rx", RunLine("09A10002", "42C80000") + "\r\n"},
    {1000, "rx", RunLine("09A10003", "41F00000")},
};
// What a client gets, and when, in recorded ms after the first line.
const std::vector<std::pair<std::int64_t, std::string>> kPlayed = {
    {0, RunLine("09A10001", "42480000") + "\r"},
    {1000, RunLine("09A10002", "42C80000") + "\r"},
    {1000, RunLine("09A10003", "41F00000") + "\r"},
    {3000, RunLine("09A10004", "83200CE4") + "\r"},
};

std::filesystem::path WriteRecording(const std::filesystem::path& dir) {
  const auto path = dir / "session.bmsrec";
  recorder::RecordingFile file;
  EXPECT_TRUE(file.create(path, {"100000000", "20240115", "0.1"}, kStartMs));
  for (const Row& row : kRows)
    EXPECT_TRUE(file.addTraffic(kStartMs + row.afterMs, row.direction, row.line));
  EXPECT_TRUE(file.close());
  return path;
}

bool Quiet(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, ms) == 0;
}

TEST(BmcSimReplay, EveryClientGetsTheReceivedLinesInOrderNoFasterThanTheSpeedAllows) {
  recorder::test::TempDir dir;
  const auto path = WriteRecording(dir.path());
  SimProcess sim({"--direct", "0", "--replay", path.string(), "--speed", "10"});
  const int port = sim.Port("direct");

  UniqueFd first = Connect(port);
  // A request is not answered: the recording has nothing to say to it.
  ASSERT_TRUE(Send(first.get(), "T,05F5E100,6,09A00012,FFFFFFFF,FFFFFFFF,\r\n"));
  LineReader reader(first.get(), wire::LineCutter::Mode::Tcp);
  std::vector<Clock::time_point> arrivals;
  for (const auto& [afterMs, line] : kPlayed) {
    EXPECT_EQ(reader.Next(), line);
    arrivals.push_back(Clock::now());
  }
  for (std::size_t i = 1; i < kPlayed.size(); ++i) {
    const double seconds = std::chrono::duration<double>(arrivals[i] - arrivals.front()).count();
    EXPECT_GE(seconds, kLowerBound * static_cast<double>(kPlayed[i].first) / 10 / 1000)
        << "line " << i;
  }
  EXPECT_TRUE(Quiet(first.get(), 300)) << "after the last line: open and quiet";

  UniqueFd second = Connect(port);
  EXPECT_EQ(LineReader(second.get(), wire::LineCutter::Mode::Tcp).Next(), kPlayed.front().second)
      << "a later client starts from the first line";
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

TEST(BmcSimReplay, AFileThatIsNoRecordingEndsWithCodeTwo) {
  recorder::test::TempDir dir;
  const auto text = dir.path() / "notes.txt";
  std::ofstream(text) << "not a database\n";
  const auto other = dir.path() / "other.db";
  {
    recorder::Database db;
    ASSERT_TRUE(db.open(other, recorder::Database::Mode::Create));
    ASSERT_TRUE(
        db.exec("CREATE TABLE meta (key TEXT, value TEXT);"
                "INSERT INTO meta VALUES ('format', 'something else');"
                "CREATE TABLE traffic (time INTEGER, direction TEXT, line TEXT);"));
  }
  for (const auto& file : {dir.path() / "missing.bmsrec", text, other, dir.path()}) {
    SimProcess sim({"--direct", "0", "--replay", file.string()});
    EXPECT_EQ(sim.Stop(0), 2) << file;
  }
}

#endif

}  // namespace
}  // namespace bms::sim
