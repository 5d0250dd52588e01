#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "recorder/trend_loader.h"
#include "sim/options.h"
#include "sim/recording_maker.h"
#include "sim/replay.h"

// A made recording is what the tool itself would have recorded of the pack: the trends
// window reads it like any other, and the simulator can replay it.
namespace bms::sim {
namespace {

using recorder::TrendSeries;

class MakeRecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("bms-make-recording-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
};

TEST_F(MakeRecordingTest, HoldsTheRunDataOfEverySecondAndTheAlarmsOnsetHalfway) {
  const MadeRecording made{
      .bics = 4, .seed = 9, .hours = 1, .warnings = 0x02, .startMs = 1'780'000'000'000};
  const auto path = dir_ / "hour.bmsrec";
  ASSERT_EQ(MakeRecording(path, made), "");

  const auto loaded = recorder::LoadTrend(path);
  ASSERT_FALSE(loaded.failure.has_value());
  const auto& store = loaded.store;
  ASSERT_EQ(store.size(), 3600u);
  EXPECT_EQ(store.firstMs(), made.startMs);
  EXPECT_EQ(store.lastMs(), made.startMs + 3599 * 1000);

  // The samples are the pack's own values, second by second.
  PackModel pack(made.seed, made.bics);
  for (std::size_t s = 0; s < 3600; ++s) {
    pack.Step();
    if (s % 900 != 0) continue;
    const auto values = RunValuesOf(pack);
    EXPECT_NEAR(store.values(TrendSeries::TotalVoltage)[s], values.totalVoltage, 0.01) << s;
    EXPECT_NEAR(store.values(TrendSeries::Current)[s], values.current, 0.01) << s;
    EXPECT_NEAR(store.values(TrendSeries::HighestCell)[s], values.highestCellVoltage, 0.001) << s;
  }
  ASSERT_EQ(store.markers().size(), 1u);
  EXPECT_EQ(store.markers()[0].timeMs, made.startMs + 1800 * 1000);
  EXPECT_EQ(store.markers()[0].kind, recorder::AlarmKind::Warning);

  Recording replay;
  std::string error;
  EXPECT_TRUE(replay.Open(path.string(), error)) << error;
  EXPECT_NE(MakeRecording(path, made), "") << "an existing file is never overwritten";
}

TEST(MakeRecordingOptions, CommandLines) {
  const struct {
    const char* name;
    std::vector<std::string_view> args;
    bool accepted;
  } cases[] = {
      {"alone", {"--make-recording", "a.bmsrec"}, true},
      {"longest span", {"--make-recording", "a.bmsrec", "--hours", "168", "--bics", "32"}, true},
      {"no span", {"--make-recording", "a.bmsrec", "--hours", "0"}, false},
      {"over a week", {"--make-recording", "a.bmsrec", "--hours", "169"}, false},
      {"with an endpoint", {"--make-recording", "a.bmsrec", "--direct", "0"}, false},
      {"hours without a recording", {"--direct", "0", "--hours", "2"}, false},
      {"no path", {"--make-recording", ""}, false},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseOptions(c.args);
    EXPECT_EQ(parsed.options.has_value(), c.accepted) << c.name << ": " << parsed.error;
  }
  const auto parsed = ParseOptions({"--make-recording", "a.bmsrec", "--hours", "3"});
  ASSERT_TRUE(parsed.options.has_value());
  EXPECT_EQ(parsed.options->makeRecordingPath, "a.bmsrec");
  EXPECT_EQ(parsed.options->hours, 3);
}

}  // namespace
}  // namespace bms::sim
