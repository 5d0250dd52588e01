#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends.h"
#include "records/records_test_support.h"

// The counters of the page "数据记录": read, cleared behind the code "585", acknowledged.
namespace bms::testing {
namespace {

using Lines = std::vector<std::string>;

class Counters : public ::testing::TestWithParam<Backend> {};

TEST_P(Counters, ReadButtonsRequestAndShowTheAnswerAndSubtotalsClearWithTheCode) {
  struct Case {
    std::string row;
    const char *request, *answer, *data1, *data2, *shown;
  };
  Driver driver(GetParam());
  StartConnected(driver);
  for (const auto& c :
       {Case{"本次运行时间", "09A00022", "09A10023", "FFFFFFFF", "FFFFFFFF", "4294967295"},
        Case{"BMS累计运行时间", "09A00024", "09A10025", "00015180", "FFFFFFFF", "86400"},
        Case{"运行时间小计1", "09A00026", "09A10027", "0000000A", "FFFFFFFF", "10"},
        Case{"运行时间小计2", "09A0002A", "09A1002B", "00000000", "FFFFFFFF", "0"},
        Case{"总累计充电电量", "09A0002E", "09A1002F", "0000007C", "43FA0000", "124.500"},
        Case{"充电电量小计1", "09A00030", "09A10031", "00000001", "3F800000", "1.001"},
        Case{"充电电量小计2", "09A00034", "09A10035", "00000000", "00000000", "0.000"},
        Case{"总累计放电电量", "09A00038", "09A10039", "000003E8", "44790000", "1000.996"},
        Case{"放电电量小计1", "09A0003A", "09A1003B", "00000002", "42C80000", "2.100"},
        Case{"放电电量小计2", "09A0003E", "09A1003F", "00000003", "40000000", "3.002"}}) {
    driver.sent();
    ASSERT_TRUE(driver.click("读" + c.row + "按钮"));
    EXPECT_EQ(driver.sent(), Lines{Request(c.request)}) << c.row;
    EXPECT_EQ(driver.text(c.row + "显示"), "Wait") << c.row;
    driver.receive(Answer(c.answer, c.data1, c.data2));
    EXPECT_EQ(driver.text(c.row + "显示"), c.shown) << c.row;
  }

  // Subtotals clear with the code and show only an acknowledgement.
  struct Clear {
    std::string clear, row;
    const char *request, *ack;
  };
  for (const auto& c : {Clear{"时间小计1", "运行时间小计1", "09A00028", "09A10029"},
                        Clear{"时间小计2", "运行时间小计2", "09A0002C", "09A1002D"},
                        Clear{"充电电量小计1", "充电电量小计1", "09A00032", "09A10033"},
                        Clear{"充电电量小计2", "充电电量小计2", "09A00036", "09A10037"},
                        Clear{"放电电量小计1", "放电电量小计1", "09A0003C", "09A1003D"},
                        Clear{"放电电量小计2", "放电电量小计2", "09A00040", "09A10041"}}) {
    driver.sent();
    driver.setText("清" + c.clear + "确认码编辑框", "585");
    ASSERT_TRUE(driver.click("清" + c.clear + "按钮"));
    EXPECT_EQ(driver.sent(), Lines{Request(c.request)}) << c.clear;
    EXPECT_EQ(driver.text("清" + c.clear + "确认码编辑框"), "") << c.clear;
    for (const char* refused : {"00FFFFFF", "aaFFFFFF", "FFAAFFFF"}) {
      driver.receive(Answer(c.ack, refused));
      EXPECT_EQ(driver.text(c.row + "显示"), "Wait") << c.ack << " " << refused;
    }
    driver.receive(Answer(c.ack, "AAFFFFFF"));
    EXPECT_EQ(driver.text(c.row + "显示"), "Done") << c.ack;
  }
  EXPECT_FALSE(ErrorShown(driver));
}

TEST_P(Counters, AWrongCodeIsRefusedWithAMessageInTheLanguageOfTheMoment) {
  struct Case {
    const char *code, *language;
    std::string message;
  };
  const std::string english = "Please enter the correct confirmation code";
  for (const auto& c :
       {Case{" 585", "英文单选框", english}, Case{"0585", "简体中文单选框", "请输入正确的确认码"},
        Case{"585 ", "英文单选框", english}, Case{"", "简体中文单选框", "请输入正确的确认码"}}) {
    Driver driver(GetParam());
    StartConnected(driver);
    driver.click("Debug按钮");
    driver.click(c.language);
    driver.setText("清时间小计1确认码编辑框", c.code);
    ASSERT_TRUE(driver.click("清时间小计1按钮"));
    EXPECT_EQ(driver.sent(), Lines{}) << c.code;
    EXPECT_EQ(driver.text("清时间小计1确认码编辑框"), c.code);
    EXPECT_EQ(driver.text("运行时间小计1显示"), "*") << c.code;
    EXPECT_TRUE(ErrorShown(driver)) << c.code;
    const auto pane = driver.text("debug:接收数据编辑框");
    EXPECT_NE(pane.find(c.message + "\r\n"), std::string::npos) << pane;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, Counters, AllBackends(), BackendName);

}  // namespace
}  // namespace bms::testing
