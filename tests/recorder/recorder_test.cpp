#include "recorder/recorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <vector>

#include "recording_fixture.h"
#include "testing/virtual_clock.h"

namespace bms::recorder {
namespace {

using test::Query;
using test::Rows;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::int64_t kStart = 1'780'000'000'000;  // a moment in 2026, in ms since 1970

class RecorderTest : public ::testing::Test {
 protected:
  RecorderTest() : recorder(clock.createTimer("录制提交定时器")) {
    recorder.onFailed = [this](const base::Failure& failure) { failures.push_back(failure); };
  }

  std::int64_t now() const { return kStart + clock.now(); }
  bool start() { return recorder.start(file, {"100000001", "20240115", "0.1"}, now()); }

  test::TempDir dir;
  std::filesystem::path file = dir.path() / "session.bmsrec";
  testing::VirtualClock clock;
  Recorder recorder;
  std::vector<base::Failure> failures;
};

TEST_F(RecorderTest, RowsReachTheFileWithTheirStampsOnlyAtTheNextCommit) {
  ASSERT_TRUE(start());
  monitor::RunValues values;
  values.totalVoltage = 51.2;
  values.estimatedMinutes = 90;
  clock.advance(250);
  recorder.onRunData(now(), values);
  const std::vector<int> cells{3301, 3302, 3303};
  const std::vector<int> sensors{25, -4};
  recorder.onCells(now(), 7, cells, 0b101, sensors);
  recorder.onTraffic(now(), Direction::Sent, "T,05F5E101,6,09A11007,0,0,");
  recorder.onTraffic(now() + 1, Direction::Received, "T,05F5E101,7,09A11107,\"a\",b,");

  EXPECT_TRUE(Query(file, "SELECT * FROM run_data").empty());
  EXPECT_TRUE(Query(file, "SELECT * FROM traffic").empty());
  clock.advance(749);
  EXPECT_TRUE(Query(file, "SELECT * FROM cells").empty());
  clock.advance(1);  // one second after the start: the commit timer's tick

  const auto t = std::to_string(kStart + 250);
  EXPECT_EQ(Query(file, "SELECT time, total_voltage_v, estimated_minutes FROM run_data"),
            (Rows{{t, "51.2", "90"}}));
  EXPECT_EQ(
      Query(file, "SELECT * FROM cells"),
      (Rows{{t, "7", "1", "3301", "1"}, {t, "7", "2", "3302", "0"}, {t, "7", "3", "3303", "1"}}));
  EXPECT_EQ(Query(file, "SELECT * FROM temperatures"),
            (Rows{{t, "7", "1", "25"}, {t, "7", "2", "-4"}}));
  EXPECT_EQ(Query(file, "SELECT * FROM traffic"),
            (Rows{{t, "tx", "T,05F5E101,6,09A11007,0,0,"},
                  {std::to_string(kStart + 251), "rx", "T,05F5E101,7,09A11107,\"a\",b,"}}));
  EXPECT_EQ(Query(file,
                  "SELECT key, value FROM meta WHERE key NOT LIKE "
                  "'format%' ORDER BY key"),
            (Rows{{"bmc_number", "100000001"},
                  {"firmware_version", "20240115"},
                  {"start_time", "2026-05-28T20:26:40Z"},
                  {"start_time_ms", std::to_string(kStart)},
                  {"tool_version", "0.1"}}));

  // Rows fed after the tick wait for the next one, or for stop.
  clock.advance(10);
  recorder.onRunData(now(), values);
  EXPECT_EQ(Query(file, "SELECT count(*) FROM run_data"), (Rows{{"1"}}));
  recorder.stop();
  EXPECT_FALSE(recorder.recording());
  EXPECT_EQ(Query(file, "SELECT count(*) FROM run_data"), (Rows{{"2"}}));
  EXPECT_TRUE(failures.empty());
}

TEST_F(RecorderTest, AlarmRowsAreTheChangesOfTheFlagsWithTheExtremesOfTheirMoment) {
  ASSERT_TRUE(start());
  base::Alarms alarms;
  alarms.warnings[1] = true;
  recorder.onAlarms(now(), alarms, {{3, 5, 3650}, {12, 1, 2900}});
  clock.advance(100);
  recorder.onAlarms(now(), alarms, {{3, 6, 3655}, {12, 1, 2899}});  // nothing changed
  alarms.warnings[1] = false;
  alarms.faults[4] = true;
  clock.advance(100);
  recorder.onAlarms(now(), alarms, {{1, 1, 3700}, {2, 2, 2800}});
  recorder.stop();

  const auto t0 = std::to_string(kStart);
  const auto t2 = std::to_string(kStart + 200);
  EXPECT_EQ(
      Query(file, "SELECT * FROM alarms ORDER BY rowid"),
      (Rows{{t0, "9", "warning", "on", "单体电压预警", "Cell-V warning", "3", "5", "3650", "12",
             "1", "2900"},
            {t2, "4", "fault", "on", "绝缘故障", "INSUL fault", "1", "1", "3700", "2", "2", "2800"},
            {t2, "9", "warning", "off", "单体电压预警", "Cell-V warning", "1", "1", "3700", "2",
             "2", "2800"}}));
}

TEST_F(RecorderTest, ElapsedTimeAndSizeRestAtZeroWhenIdleAndAFileThatCannotBeMadeIsReported) {
  EXPECT_EQ(recorder.elapsedMs(now()), 0);
  EXPECT_EQ(recorder.fileBytes(), 0u);
  ASSERT_TRUE(start());
  const auto empty = recorder.fileBytes();
  EXPECT_GT(empty, 0u);
  for (int n = 0; n < 1000; ++n) recorder.onTraffic(now(), Direction::Sent, std::string(100, 'y'));
  clock.advance(61'500);
  EXPECT_EQ(recorder.elapsedMs(now()), 61'500);
  EXPECT_GT(recorder.fileBytes(), empty + 100'000);
  recorder.stop();
  EXPECT_EQ(recorder.elapsedMs(now()), 0);
  // A missing folder, and a file that exists already.
  for (const auto& path : {dir.path() / "no-such-folder" / "a.bmsrec", file}) {
    failures.clear();
    EXPECT_FALSE(recorder.start(path, {}, now())) << path;
    EXPECT_FALSE(recorder.recording()) << path;
    ASSERT_EQ(failures.size(), 1u) << path;
    EXPECT_THAT(failures[0].english, HasSubstr("Could not create the recording")) << path;
    EXPECT_THAT(failures[0].chinese, HasSubstr("无法创建录制文件")) << path;
    EXPECT_EQ(clock.interval("录制提交定时器"), 0) << path;
  }
}

// Holds the process's file size limit low, as a disk that fills up would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit low = saved_;
    low.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &low);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, signal_);
  }

 private:
  rlimit saved_{};
  void (*signal_)(int) = nullptr;
};

TEST_F(RecorderTest, AFullDiskStopsTheRecordingOnceKeepingWhatWasCommitted) {
  ASSERT_TRUE(start());
  const std::string line(200, 'x');
  int secondsCommitted = 0;
  {
    FileSizeLimit limit(256 * 1024);
    for (int second = 0; second < 10'000 && recorder.recording(); ++second) {
      for (int n = 0; n < 50; ++n) recorder.onTraffic(now(), Direction::Received, line);
      clock.advance(1000);
      if (recorder.recording()) secondsCommitted = second + 1;
    }
  }
  EXPECT_FALSE(recorder.recording());
  EXPECT_GT(secondsCommitted, 0);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0].english, HasSubstr("Recording stopped"));
  EXPECT_THAT(failures[0].chinese, HasSubstr("录制已停止"));
  EXPECT_EQ(clock.interval("录制提交定时器"), 0);

  recorder.onTraffic(now(), Direction::Received,
                     line);  // ignored, and no second report
  recorder.commit();
  EXPECT_EQ(failures.size(), 1u);
  EXPECT_EQ(Query(file, "SELECT count(*) FROM traffic"),
            (Rows{{std::to_string(secondsCommitted * 50)}}));
}

}  // namespace
}  // namespace bms::recorder
