// The real application on real widgets and real transports (offscreen) against the
// real bmc-sim: over TCP directly, through the relay with a login, and over a
// pseudo-terminal as a serial port; with the simulator misbehaving on purpose.
#include "qt/end_to_end.h"

namespace bms::qt {
namespace {

#ifdef BMC_SIM_PATH

constexpr const char* kBics = "监视界面的安装BIC数量显示标签";
constexpr const char* kLink = "通信按钮";
int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}
bool Has(const std::string& text, const std::string& part) { return Count(text, part) > 0; }

TEST_F(EndToEnd, DirectTcpPollsDecodesReadsCellDetailsAndHearsOfANewerRelease) {
  const auto endpoints =
      startSim({"--direct", "0", "--rate", "20", "--bics", "3", "--update", "0", "--newer"});
  startApp(TcpSettings(endpoints.at("direct")),
           {"127.0.0.1", std::stoi(Port(endpoints.at("update")))});
  ASSERT_TRUE(waitForText(*main, kBics, "3"));
  EXPECT_TRUE(Has(sent(), "T,05F5E100,6,09A00100,FFFFFFFF,FFFFFFFF,\r\n"));
  EXPECT_TRUE(Has(received(), "T,05F5E100,7,09A10101,03"));
  ASSERT_TRUE(waitFor([&] { return rxCount() >= 20; })) << "run data keeps coming";

  ASSERT_TRUE(main->userClick("读取单体信息选择框"));
  ASSERT_TRUE(waitFor([&] { return Has(received(), ",7,09A11701,"); }));
  EXPECT_TRUE(Has(sent(), ",6,09A01001,FFFFFFFF,FFFFFFFF,"));
  ASSERT_TRUE(waitForText(*main, "新版提示", "Please upgrade to a new version"));

  ASSERT_TRUE(main->userClick(kLink));
  EXPECT_EQ(main->text(kLink), "Start");
  EXPECT_EQ(main->fill("网络状态显示"), (forms::Rgb{0, 0, 0}));
}

// The login, the frames behind it, and a password changed through the relay that is the
// next login while the old one no longer is.
TEST_F(EndToEnd, RelayLoginFramesAndAChangedPassword) {
  startApp(TcpSettings(
      startSim({"--relay", "0", "--password", "572906", "--rate", "5"}).at("relay"), false));
  const auto logins = [&] { return Count(received(), ",D,1,"); };
  ASSERT_TRUE(waitFor([&] { return logins() == 1; }));
  EXPECT_TRUE(Has(sent(), "T,05F5E100,S1,\r\n"));
  EXPECT_TRUE(Has(sent(), "T,05F5E100,SC,********,********,********,\r\n"));
  EXPECT_FALSE(Has(sent(), "06353732")) << "no password in the debug window";
  ASSERT_TRUE(waitForText(*main, kBics, "3"));
  EXPECT_EQ(main->text(kLink), "Stop");

  ASSERT_TRUE(main->userType("新密码编辑框", "new-123"));
  ASSERT_TRUE(main->userType("重复输入密码编辑框", "new-123"));
  ASSERT_TRUE(main->userClick("修改密码按钮"));
  ASSERT_TRUE(waitForText(*main, "修改密码状态标签", "Done"));
  ASSERT_TRUE(waitForText(*main, kLink, "Start"));
  EXPECT_EQ(main->text("远程密码编辑框"), "new-123");
  ASSERT_TRUE(main->userClick(kLink));
  ASSERT_TRUE(waitFor([&] { return logins() == 2; })) << "the new password logs in";
  ASSERT_TRUE(main->userClick(kLink));
  ASSERT_TRUE(main->userType("远程密码编辑框", "572906"));
  ASSERT_TRUE(main->userClick(kLink));
  ASSERT_TRUE(waitFor([&] { return Has(received(), ",D,0,"); }));
  ASSERT_TRUE(waitForText(*main, kLink, "Start")) << "the old one no longer does";
}

TEST_F(EndToEnd, RefusedLoginReturnsToIdle) {
  startApp(TcpSettings(
      startSim({"--relay", "0", "--password", "572906", "--refuse-login"}).at("relay"), false));
  ASSERT_TRUE(waitForText(*main, kLink, "Start"));
  EXPECT_TRUE(Has(received(), "Password error!"));
  ASSERT_TRUE(waitForText(*main, "错误指示灯标签", "ERR"));
}

TEST_F(EndToEnd, PseudoTerminalAsSerialPort) {
  startSim({"--serial", "{dir}/COM5", "--rate", "20"});
  startApp(",0,572906,100000000,0,5,0,0,");
  ASSERT_TRUE(waitForText(*main, kBics, "3"));
  EXPECT_EQ(main->fill("串口状态显示"), (forms::Rgb{0, 255, 0}));
  EXPECT_TRUE(Has(received(), "T,05F5E100,7,09A10101,03"));
}

TEST_F(EndToEnd, GarbledAndCutLinesDoNotStopTheTool) {
  startDirect({"--rate", "50", "--garbage", "3", "--cut", "4", "--seed", "7"});
  ASSERT_TRUE(waitForText(*main, kBics, "3"));
  ASSERT_TRUE(waitFor([&] { return rxCount() >= 100; }));
  EXPECT_EQ(main->text(kLink), "Stop");
}

TEST_F(EndToEnd, LowerCaseIdsAreReceivedButNotDecoded) {
  startDirect({"--rate", "50", "--lowercase"});
  ASSERT_TRUE(waitFor([&] { return Has(received(), ",7,09a10101,"); }));
  EXPECT_EQ(main->text(kBics), "*");
  EXPECT_EQ(main->text(kLink), "Stop");
}

TEST_F(EndToEnd, ADroppedConnectionIsReported) {
  startDirect({"--rate", "50", "--drop-after", "30"});
  ASSERT_TRUE(waitForText(*main, kLink, "Start"));
  EXPECT_TRUE(Has(received(), "Remote connection disconnected!"));
  EXPECT_EQ(main->fill("网络状态显示"), (forms::Rgb{0, 0, 0}));
}

TEST_F(EndToEnd, AFloodIsSurvived) {
  startDirect({"--flood", "20000"});
  ASSERT_TRUE(waitFor([&] { return rxCount() >= 5000; }));
  ASSERT_TRUE(main->userClick(kLink));
  EXPECT_EQ(main->text(kLink), "Start");
}

TEST_F(EndToEnd, ASilentPeerLeavesTheLinkOpen) {
  startDirect({"--silent"});
  ProcessEventsFor(1500);
  EXPECT_EQ(main->text(kLink), "Stop");
  EXPECT_EQ(rxCount(), 0);
  EXPECT_TRUE(Has(sent(), ",09A00100,")) << "the poll keeps asking";
}

// A locked controller takes no save until the setting mode is entered; a refused
// thermistor type says so.
TEST_F(EndToEnd, SavesWaitForTheSettingModeAndARefusalShows) {
  startDirect({"--locked"});
  ASSERT_TRUE(main->userType("最高极限电压设定编辑框", "3600"));
  ASSERT_TRUE(main->userClick("保存最高极限电压按钮"));
  ProcessEventsFor(500);
  EXPECT_EQ(main->text("最高极限电压显示标签"), "Wait");
  ASSERT_TRUE(main->userClick("发送进入设定模式的按钮"));
  ASSERT_TRUE(waitForText(*main, "BMC响应设定模式命令的标签", "The setting mode has been entered"));
  ASSERT_TRUE(main->userClick("保存最高极限电压按钮"));
  ASSERT_TRUE(waitForText(*main, "最高极限电压显示标签", "Done"));

  stopAll();
  startDirect({"--refuse-saves"});
  ASSERT_TRUE(main->userType("热敏电阻类型设定编辑框", "2"));
  ASSERT_TRUE(main->userClick("保存热敏电阻类型按钮"));
  ASSERT_TRUE(waitForText(*main, "热敏电阻类型显示标签", "Error"));
}

#endif

}  // namespace
}  // namespace bms::qt
