#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "backends.h"
#include "records/records_test_support.h"

// The factory window: the BMC number and the cumulative counters, sent to the ID prefix
// of the factory marker.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kNumber = "factory:标定BMC编号按钮";
constexpr const char* kTime = "factory:标定累计工作时间按钮";
constexpr const char* kCharge = "factory:标定累计充电电量按钮";
constexpr const char* kDischarge = "factory:标定累计放电电量按钮";

void StartWithWindow(Driver& driver, const std::string& marker = "09A030") {
  driver.writeFile("BMS_Factory.txt", marker);
  StartConnected(driver);
  ASSERT_TRUE(driver.click("打开出厂标定功能按钮"));
  ASSERT_TRUE(driver.isOpen("factory"));
}

const std::map<std::string, std::vector<const char*>> kBoxes = {
    {kNumber, {"编号1至3位编辑框", "编号4至6位编辑框", "编号7至9位编辑框"}},
    {kTime, {"标定累计工作时间编辑框"}},
    {kCharge, {"标定累计充电电量整数编辑框", "标定累计充电电量浮点编辑框"}},
    {kDischarge, {"标定累计放电电量整数编辑框", "标定累计放电电量浮点编辑框"}}};

std::string AnswerLabel(const std::string& button) {
  return button.substr(0, button.size() - std::string("按钮").size()) + "回应显示标签";
}

class FactoryWindow : public ::testing::TestWithParam<Backend> {};

TEST_P(FactoryWindow, SendsOnlyWhatWasTypedToTheMarkersPrefix) {
  struct Case {
    std::string marker;
    const char* button;
    std::vector<std::string> typed;  // into the row's boxes, left to right
    std::string sent;                // "": refused
  };
  for (const auto& c : std::vector<Case>{
           {"09A030", kNumber, {"234", "567", "891"}, Request("09A03000", "0DFB38D3")},
           {"09A030", kNumber, {"100", "000", "000"}, Request("09A03000", "05F5E100")},
           {"09A030", kNumber, {"999", "999", "999"}, Request("09A03000", "3B9AC9FF")},
           {"09A030", kNumber, {"23", "567", "891"}, ""},
           {"09A030", kNumber, {"012", "345", "678"}, ""},
           {"09A030", kNumber, {"234", "5a7", "891"}, ""},
           {"09A030", kTime, {"4294967295"}, Request("09A03002", "FFFFFFFF")},
           {"09A030", kTime, {"3000000000"}, Request("09A03002", "B2D05E00")},
           {"09A030", kTime, {"4294967296"}, ""},
           {"09A030", kTime, {"abc"}, ""},
           {"09A030", kTime, {""}, ""},
           {"09A030", kTime, {"-1"}, ""},
           {"09A030", kTime, {" 5"}, ""},
           {"09A030", kCharge, {"124", "500"}, Request("09A03004", "0000007C", "43FA0000")},
           {"09A030", kDischarge, {"0", "0.5"}, Request("09A03006", "00000000", "3F000000")},
           {"09A030", kCharge, {"124", "-0.5"}, ""},
           {"09A030", kDischarge, {"", "500"}, ""},
           {"09A030", kCharge, {"1", "1e3"}, ""},
           {"09A030", kCharge, {"1", "1" + std::string(39, '0')}, ""},
           {"09a0f0\r\n", kTime, {"0"}, Request("09A0F002", "00000000")},
           {"F", kTime, {"0"}, ""},
           {"09A0300", kTime, {"0"}, ""},
           {"09G030", kCharge, {"124", "500"}, ""},
       }) {
    const auto name = std::string(c.button) + " " + c.marker + " " + c.typed.front();
    Driver driver(GetParam());
    StartWithWindow(driver, c.marker);
    for (std::size_t n = 0; n < c.typed.size(); ++n) {
      driver.setText(std::string("factory:") + kBoxes.at(c.button)[n], c.typed[n]);
    }
    ASSERT_TRUE(driver.click(c.button)) << name;
    EXPECT_EQ(driver.sent(), c.sent.empty() ? Lines{} : Lines{c.sent}) << name;
    EXPECT_EQ(driver.text(AnswerLabel(c.button)), c.sent.empty() ? "Error" : "Wait") << name;
    EXPECT_EQ(ErrorShown(driver), c.sent.empty()) << name;
  }
}

TEST_P(FactoryWindow, AnswersMarkTheirRowDoneWhileTheWindowIsOpen) {
  Driver driver(GetParam());
  StartWithWindow(driver);
  const std::vector<std::pair<const char*, const char*>> rows = {
      {"09A13001", kNumber}, {"09A13003", kTime}, {"09A13005", kCharge}, {"09A13007", kDischarge}};
  for (const auto& [id, button] : rows) {
    ASSERT_TRUE(driver.click(button));  // empty boxes: "Error"
    for (const auto& [other, data1] :
         std::vector<std::pair<std::string, const char*>>{{id, "00FFFFFF"},
                                                          {id, "aaFFFFFF"},
                                                          {"09A13009", "AAFFFFFF"},
                                                          {"09A13000", "AAFFFFFF"}}) {
      driver.receive(Answer(other, data1));
      EXPECT_EQ(driver.text(AnswerLabel(button)), "Error") << other << " " << data1;
    }
    driver.receive(Answer(id, "AAFFFFFF"));
    EXPECT_EQ(driver.text(AnswerLabel(button)), "Done") << id;
  }

  driver.closeWindow("factory");
  for (const auto& [id, button] : rows) driver.receive(Answer(id, "AAFFFFFF"));
  EXPECT_FALSE(driver.isOpen("factory"));
  ASSERT_TRUE(driver.click("打开出厂标定功能按钮"));
  for (const auto& [id, button] : rows) EXPECT_EQ(driver.text(AnswerLabel(button)), "*") << id;
}

TEST_P(FactoryWindow, OpensCentredOnTheMainWindowAndClosesWithIt) {
  for (const auto& [left, top] : std::vector<std::pair<int, int>>{{50, 0}, {-301, 7}, {333, 41}}) {
    Driver driver(GetParam());
    StartWithWindow(driver);
    driver.closeWindow("factory");
    driver.moveWindow("main", left, top);
    ASSERT_TRUE(driver.click("打开出厂标定功能按钮"));
    const auto main = driver.rect("main");
    const auto factory = driver.rect("factory");
    EXPECT_EQ(factory.left,
              static_cast<int>(std::trunc(main.left + main.width / 2.0 - factory.width / 2.0)));
    EXPECT_EQ(factory.top,
              static_cast<int>(std::trunc(main.top + main.height / 2.0 - factory.height / 2.0)));

    // A second press neither moves the window nor binds its buttons twice.
    driver.moveWindow("factory", 10, 20);
    ASSERT_TRUE(driver.click("打开出厂标定功能按钮"));
    EXPECT_EQ(driver.rect("factory").left, 10);
    driver.setText("factory:标定累计工作时间编辑框", "7");
    ASSERT_TRUE(driver.click(kTime));
    EXPECT_EQ(driver.sent(), Lines{Request("09A03002", "00000007")});

    driver.closeMainWindow();
    EXPECT_FALSE(driver.isOpen("factory"));
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, FactoryWindow, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
