#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"
#include "testing/driver.h"

// The CAN debug panel: one typed frame out, the frame with its ID plus 1 shown back.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kAnswerBox = "调试命令接收编辑框";

void Send(Driver& driver, const std::string& id, const std::string& data1,
          const std::string& data2) {
  driver.setText("CANID编辑框", id);
  driver.setText("前4字节编辑框", data1);
  driver.setText("后4字节编辑框", data2);
  ASSERT_TRUE(driver.click("CAN调试数据发送按钮"));
}

std::string Frame(const std::string& id) {
  return "T,05F5E100,7," + id + ",0102ABCD,FFFFFFFF,\r\n";
}

class CanDebug : public ::testing::TestWithParam<Backend> {};

TEST_P(CanDebug, SendsValidFramesUpperCasedAndRefusesTheRest) {
  struct Case {
    const char *id, *data1, *data2, *sent;  // sent nullptr: refused
  };
  const std::vector<Case> cases = {
      {"09a00174", "ffffffff", "FFFFFFFF", "T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n"},
      {"00000000", "0123abcd", "AbCdEf09", "T,05F5E100,6,00000000,0123ABCD,ABCDEF09,\r\n"},
      {"9A00174", "FFFFFFFF", "FFFFFFFF", nullptr},
      {"109A00174", "FFFFFFFF", "FFFFFFFF", nullptr},
      {"09A00174", "", "FFFFFFFF", nullptr},
      {"09A00174", "FFFFFFFF", "FFFF FFF", nullptr},
      {"0x9A0017", "FFFFFFFF", "FFFFFFFF", nullptr},
      {"09A00174", "FFFFFFFG", "FFFFFFFF", nullptr},
  };
  for (const auto& c : cases) {
    Driver driver(GetParam());
    StartConnected(driver);
    Send(driver, c.id, c.data1, c.data2);
    EXPECT_EQ(driver.sent(), c.sent ? Lines{c.sent} : Lines{}) << c.id << " " << c.data1;
    driver.advance(100);
    EXPECT_EQ(driver.text("错误指示灯标签"), c.sent ? "" : "ERR") << c.id << " " << c.data1;
  }
}

TEST_P(CanDebug, ShowsTheFrameWhoseIdIsOneAboveTheLastSent) {
  struct Case {
    const char* name;
    std::vector<const char*> sentIds;  // sent in order; refused ones keep the last ID
    const char *received, *shown;
  };
  const std::vector<Case> cases = {
      {"before any send", {}, "00000001", "00000001,0102ABCD,FFFFFFFF,"},
      {"no match", {}, "00000002", ""},
      {"sent 100", {"00000100"}, "00000101", "00000101,0102ABCD,FFFFFFFF,"},
      {"not the answer ID", {"09A00174"}, "09A10175", ""},
      {"lower case", {"09A00174"}, "09a00175", "09a00175,0102ABCD,FFFFFFFF,"},
      {"refusal keeps the ID", {"09A00174", "9A00175"}, "09A00175", "09A00175,0102ABCD,FFFFFFFF,"},
      {"highest ID", {"FFFFFFFF"}, "00000000", ""},
      {"highest ID, no wrap", {"FFFFFFFF"}, "FFFFFFFF", ""},
  };
  for (const auto& c : cases) {
    Driver driver(GetParam());
    StartConnected(driver);
    for (const auto* id : c.sentIds) Send(driver, id, "00000000", "00000000");
    driver.receive(Frame(c.received));
    EXPECT_EQ(driver.text(kAnswerBox), c.shown) << c.name;
  }
}

TEST_P(CanDebug, TheAnswerStaysAndIsStillDecoded) {
  Driver driver(GetParam());
  StartConnected(driver);
  Send(driver, "09A10100", "00000000", "00000000");
  driver.receive("T,05F5E100,7,09A10101,03FFFFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(driver.text(kAnswerBox), "09A10101,03FFFFFF,FFFFFFFF,");
  EXPECT_EQ(driver.text("监视界面的安装BIC数量显示标签"), "3");
  driver.click("通信按钮");
  driver.click("通信按钮");
  driver.receive(Frame("00000001"));
  EXPECT_EQ(driver.text(kAnswerBox), "09A10101,03FFFFFF,FFFFFFFF,")
      << "the ID sent outlives the connection";
}

INSTANTIATE_TEST_SUITE_P(Backends, CanDebug, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
