// The real application on real widgets and real transports (offscreen) against the
// real bmc-sim: over TCP directly, through the relay with a login, and over a
// pseudo-terminal as a serial port; with the simulator misbehaving on purpose.
#include "qt/end_to_end.h"

namespace bms::qt {
namespace {

#ifdef BMC_SIM_PATH

TEST_F(EndToEnd, DirectTcpPollsDecodesAndReadsCellDetails) {
  const auto endpoints = startSim({"--direct", "0", "--rate", "20", "--bics", "3"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ASSERT_TRUE(waitFor([&] { return main->text("监视界面的安装BIC数量显示标签") == "3"; }));
  EXPECT_NE(sent().find("T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r\n"), std::string::npos);
  EXPECT_NE(received().find("T,05F5E100,7,09A10101,03"), std::string::npos);
  ASSERT_TRUE(waitFor([&] { return rxCount() >= 20; })) << "run data keeps coming";

  ASSERT_TRUE(main->userClick("读取单体信息选择框"));
  ASSERT_TRUE(waitFor([&] { return received().find(",7,09A11701,") != std::string::npos; }));
  EXPECT_NE(sent().find(",6,09A01001,FFFFFFFF,FFFFFFFF,"), std::string::npos);

  ASSERT_TRUE(main->userClick("通信按钮"));
  EXPECT_EQ(main->text("通信按钮"), "Start");
  EXPECT_EQ(main->fill("网络状态显示"), (forms::Rgb{0, 0, 0}));
}

TEST_F(EndToEnd, RelayLoginThenFrames) {
  const auto endpoints = startSim({"--relay", "0", "--password", "572906", "--rate", "5"});
  startApp("127.0.0.1," + Port(endpoints.at("relay")) + ",572906,100000000,0,0,0,1,");
  ASSERT_TRUE(waitFor([&] { return received().find("T,05F5E100,D,1,") != std::string::npos; }));
  EXPECT_NE(sent().find("T,05F5E100,S1,\r\n"), std::string::npos);
  EXPECT_NE(sent().find("T,05F5E100,SC,********,********,********,\r\n"), std::string::npos);
  EXPECT_EQ(sent().find("06353732"), std::string::npos) << "no password in the debug window";
  ASSERT_TRUE(waitFor([&] { return main->text("监视界面的安装BIC数量显示标签") == "3"; }));
  EXPECT_EQ(main->text("通信按钮"), "Stop");
}

TEST_F(EndToEnd, UpdateServerAnnouncesANewerRelease) {
  const auto endpoints = startSim({"--direct", "0", "--update", "0", "--newer"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,",
           {"127.0.0.1", std::stoi(Port(endpoints.at("update")))});
  ASSERT_TRUE(waitFor([&] { return main->text("新版提示") == "Please upgrade to a new version"; }));
  EXPECT_EQ(main->text("通信按钮"), "Stop");
}

TEST_F(EndToEnd, RefusedLoginReturnsToIdle) {
  const auto endpoints = startSim({"--relay", "0", "--password", "572906", "--refuse-login"});
  startApp("127.0.0.1," + Port(endpoints.at("relay")) + ",572906,100000000,0,0,0,1,");
  ASSERT_TRUE(waitFor([&] { return main->text("通信按钮") == "Start"; }));
  EXPECT_NE(received().find("Password error!"), std::string::npos);
  ASSERT_TRUE(waitFor([&] { return main->text("错误指示灯标签") == "ERR"; }));
}

TEST_F(EndToEnd, PseudoTerminalAsSerialPort) {
  startSim({"--serial", "{dir}/COM5", "--rate", "20"});
  startApp(",0,572906,100000000,0,5,0,0,");
  ASSERT_TRUE(waitFor([&] { return main->text("监视界面的安装BIC数量显示标签") == "3"; }));
  EXPECT_EQ(main->fill("串口状态显示"), (forms::Rgb{0, 255, 0}));
  EXPECT_NE(received().find("T,05F5E100,7,09A10101,03"), std::string::npos);
}

TEST_F(EndToEnd, GarbledAndCutLinesDoNotStopTheTool) {
  const auto endpoints =
      startSim({"--direct", "0", "--rate", "50", "--garbage", "3", "--cut", "4", "--seed", "7"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ASSERT_TRUE(waitFor([&] { return main->text("监视界面的安装BIC数量显示标签") == "3"; }));
  ASSERT_TRUE(waitFor([&] { return rxCount() >= 100; }));
  EXPECT_EQ(main->text("通信按钮"), "Stop");
}

TEST_F(EndToEnd, LowerCaseIdsAreReceivedButNotDecoded) {
  const auto endpoints = startSim({"--direct", "0", "--rate", "50", "--lowercase"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ASSERT_TRUE(waitFor([&] { return received().find(",7,09a10101,") != std::string::npos; }));
  EXPECT_EQ(main->text("监视界面的安装BIC数量显示标签"), "*");
  EXPECT_EQ(main->text("通信按钮"), "Stop");
}

TEST_F(EndToEnd, ADroppedConnectionIsReported) {
  const auto endpoints = startSim({"--direct", "0", "--rate", "50", "--drop-after", "30"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ASSERT_TRUE(waitFor([&] { return main->text("通信按钮") == "Start"; }));
  EXPECT_NE(received().find("Remote connection disconnected!"), std::string::npos);
  EXPECT_EQ(main->fill("网络状态显示"), (forms::Rgb{0, 0, 0}));
}

TEST_F(EndToEnd, AFloodIsSurvived) {
  const auto endpoints = startSim({"--direct", "0", "--flood", "20000"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ASSERT_TRUE(waitFor([&] { return rxCount() >= 5000; }));
  ASSERT_TRUE(main->userClick("通信按钮"));
  EXPECT_EQ(main->text("通信按钮"), "Start");
}

TEST_F(EndToEnd, ASilentPeerLeavesTheLinkOpen) {
  const auto endpoints = startSim({"--direct", "0", "--silent"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ProcessEventsFor(1500);
  EXPECT_EQ(main->text("通信按钮"), "Stop");
  EXPECT_EQ(rxCount(), 0);
  EXPECT_NE(sent().find(",09A00100,"), std::string::npos) << "the poll keeps asking";
}

// Read a row, save a new value, read it back: as a user checks a change.
TEST_F(EndToEnd, ASavedParameterReadsBack) {
  struct Case {
    const char* input;
    const char* read;
    const char* save;
    const char* display;
    const char* before;
    const char* typed;
    const char* after;
  };
  const auto endpoints = startSim({"--direct", "0"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  for (const auto& [input, read, save, display, before, typed, after] :
       {Case{"最高极限电压设定编辑框", "读最高极限电压按钮", "保存最高极限电压按钮",
             "最高极限电压显示标签", "3650", "3600", "3600"},
        Case{"修改额定总电压编辑框", "读取额定总电压按钮", "保存额定总电压按钮",
             "额定总电压显示标签", "51.2", "48", "48.0"}}) {
    ASSERT_TRUE(main->userClick(read)) << read;
    ASSERT_TRUE(waitFor([&] { return main->text(display) == before; })) << main->text(display);
    ASSERT_TRUE(main->userType(input, typed));
    ASSERT_TRUE(main->userClick(save));
    ASSERT_TRUE(waitFor([&] { return main->text(display) == "Done"; })) << main->text(display);
    ASSERT_TRUE(main->userClick(read));
    ASSERT_TRUE(waitFor([&] { return main->text(display) == after; })) << main->text(display);
  }
}

// A locked controller takes no save until the setting mode is entered; a refused
// thermistor type says so.
TEST_F(EndToEnd, SavesWaitForTheSettingModeAndARefusalShows) {
  auto endpoints = startSim({"--direct", "0", "--locked"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ASSERT_TRUE(main->userType("最高极限电压设定编辑框", "3600"));
  ASSERT_TRUE(main->userClick("保存最高极限电压按钮"));
  ProcessEventsFor(500);
  EXPECT_EQ(main->text("最高极限电压显示标签"), "Wait");
  ASSERT_TRUE(main->userClick("发送进入设定模式的按钮"));
  ASSERT_TRUE(waitFor([&] {
    return main->text("BMC响应设定模式命令的标签") == "The setting mode has been entered";
  }));
  ASSERT_TRUE(main->userClick("保存最高极限电压按钮"));
  ASSERT_TRUE(waitFor([&] { return main->text("最高极限电压显示标签") == "Done"; }));

  app.reset();
  platform.reset();
  EXPECT_EQ(sim->Stop(SIGTERM), 0);
  endpoints = startSim({"--direct", "0", "--refuse-saves"});
  startApp("127.0.0.1," + Port(endpoints.at("direct")) + ",572906,100000000,0,0,1,1,");
  ASSERT_TRUE(main->userType("热敏电阻类型设定编辑框", "2"));
  ASSERT_TRUE(main->userClick("保存热敏电阻类型按钮"));
  ASSERT_TRUE(waitFor([&] { return main->text("热敏电阻类型显示标签") == "Error"; }));
}

#endif

}  // namespace
}  // namespace bms::qt
