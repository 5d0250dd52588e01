// A recording against bmc-sim on real widgets and sockets: flags on from the start, the
// connection dropped by the simulator and restored by the automatic reconnection.

#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "qt/end_to_end.h"

namespace bms::qt {
namespace {

using recorder::test::Query;
using recorder::test::Rows;

// The save dialog answered with a file in the program folder.
class RecordingPlatform : public QtPlatform {
 public:
  using QtPlatform::QtPlatform;
  std::optional<std::filesystem::path> chooseFileToSave(std::string_view,
                                                        std::string_view) override {
    return programDir() / "session.sqlite";
  }
};

class EndToEndRecording : public EndToEnd {
 protected:
  std::unique_ptr<QtPlatform> makePlatform() override {
    return std::make_unique<RecordingPlatform>(dir.path());
  }
};

TEST_F(EndToEndRecording, RecordsAcrossADroppedConnectionAndItsReconnection) {
  const auto endpoints =
      startSim({"--direct", "0", "--rate", "5", "--faults", "04", "--drop-after", "30"});
  startApp(TcpSettings(endpoints.at("direct")), {"127.0.0.1", kNoUpdateServer},
           {"Debug按钮", "自动重连选择框", "录制按钮", "通信按钮"});
  ASSERT_EQ(main->text("录制按钮"), "Stop recording");
  // More lines than one connection carries: the second one delivers too.
  ASSERT_TRUE(waitFor([&] { return rxCount() > 45; }));
  EXPECT_NE(received().find("Reconnect attempt"), std::string::npos);
  ASSERT_TRUE(main->userClick("录制按钮"));
  ASSERT_TRUE(main->userClick("通信按钮"));

  const auto file = dir.path() / "session.sqlite";
  EXPECT_EQ(Query(file, "SELECT value FROM meta WHERE key = 'bmc_number'"), (Rows{{"100000000"}}));
  const auto sets = Query(file, "SELECT count(*) FROM run_data");
  ASSERT_EQ(sets.size(), 1U);
  EXPECT_GE(std::stoi(sets[0][0]), 2);
  // One connection carries at most 30 lines: the second one's are in the file too.
  EXPECT_GT(std::stoi(Query(file, "SELECT count(*) FROM traffic WHERE direction = 'rx'")[0][0]),
            45);
  // The temperature fault came on once: the reconnection does not make it new.
  EXPECT_EQ(Query(file, "SELECT caption_en, state FROM alarms"), (Rows{{"Cell-T fault", "on"}}));
  // Stamps are wall-clock milliseconds, in order.
  EXPECT_EQ(Query(file,
                  "SELECT count(*) FROM run_data AS a JOIN run_data AS b "
                  "ON b.rowid = a.rowid + 1 WHERE b.time < a.time"),
            (Rows{{"0"}}));
  const auto start = Query(file, "SELECT value FROM meta WHERE key = 'start_time_ms'");
  ASSERT_EQ(start.size(), 1U);
  EXPECT_GT(std::stoll(start[0][0]), 1'700'000'000'000LL);

  // Played back through bmc-sim, the recording shows the tool the values it recorded.
  std::set<std::string> recorded;
  for (const auto& row : Query(file, "SELECT total_voltage_v FROM run_data")) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5fV", std::stod(row[0]));
    recorded.insert(text);
  }
  stopAll();
  startApp(TcpSettings(
      startSim({"--direct", "0", "--replay", file.string(), "--speed", "4"}).at("direct")));
  std::set<std::string> seen;
  ASSERT_TRUE(waitFor([&] {
    const auto shown = main->text("参数标定界面实时总电压值标签");
    if (recorded.contains(shown)) seen.insert(shown);
    return seen.size() >= std::min<std::size_t>(recorded.size(), 2);
  })) << "shown "
      << main->text("参数标定界面实时总电压值标签");
  EXPECT_TRUE(waitFor([&] {
    return main->fill("温度故障指示灯") == forms::Rgb{255, 0, 0};
  })) << "the recorded temperature fault shows again";
}

}  // namespace
}  // namespace bms::qt
