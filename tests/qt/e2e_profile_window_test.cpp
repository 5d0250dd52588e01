// The profile window on real widgets against bmc-sim: every row read, a chemistry
// template written after the confirmation and each row read back.

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <sstream>
#include <string>

#include "params/catalogue.h"
#include "qt/end_to_end.h"

namespace bms::qt {
namespace {

constexpr std::string_view kTable = "参数配置表格";
constexpr int kController = 2;
constexpr int kState = 4;

class ProfileWindowEndToEnd : public EndToEnd {
 protected:
  forms::Form& window() { return *platform->findWindow(base::Window::Profile); }
  // Reads every row; a run has ended once the window's buttons take clicks again.
  void readAll() {
    ASSERT_TRUE(window().userClick("读取全部参数按钮"));
    ASSERT_TRUE(waitFor([&] { return window().enabled("读取全部参数按钮"); }));
  }
  int rowsIn(std::string_view state) {
    int rows = 0;
    for (int row = 0; row < window().rowCount(kTable); ++row) {
      rows += window().cell(kTable, row, kState) == state ? 1 : 0;
    }
    return rows;
  }
  void startAndReadAll() {
    startDirect();
    ASSERT_TRUE(waitForText(*main, "通信按钮", "Stop"));
    ASSERT_TRUE(main->userClick("参数配置文件按钮"));
    readAll();
  }
};

TEST_F(ProfileWindowEndToEnd, ReadsEveryRowAndWritesATemplateAfterConfirmation) {
  startAndReadAll();
  EXPECT_EQ(rowsIn("Read"), static_cast<int>(params::ParameterCatalogue().size()))
      << window().text("配置结果标签");
  ASSERT_TRUE(main->userClick("磷酸铁锂按钮"));
  const int differing = rowsIn("Differs");
  ASSERT_GT(differing, 0) << "the simulator starts with other values than the template";
  // The confirmation is a real modal question, answered yes once it shows.
  std::string question;
  AnswerNext<QMessageBox>([&](QMessageBox& box) {
    question = box.text().toStdString();
    box.button(QMessageBox::Yes)->click();
  });
  ASSERT_TRUE(window().userClick("写入更改按钮"));
  EXPECT_NE(question.find("Write " + std::to_string(differing) + " changed rows"),
            std::string::npos)
      << question;
  ASSERT_TRUE(waitFor([&] { return window().enabled("读取全部参数按钮"); }));
  EXPECT_EQ(rowsIn("Written and verified"), differing) << window().text("配置结果标签");
  EXPECT_EQ(rowsIn("Differs"), 0);
  readAll();
  EXPECT_EQ(rowsIn("Differs"), 0) << "the controller now holds the template's values";
}

#ifdef BMS_CLI_PATH
// What an installer sees in the window and what a script gets from bms-cli are the same
// values, row by row.
TEST_F(ProfileWindowEndToEnd, TheWindowAndBmsCliReadTheSameValues) {
  startAndReadAll();
  QProcess cli;
  cli.start(BMS_CLI_PATH, {"--tcp", QString::fromStdString(direct), "params"});
  ASSERT_TRUE(cli.waitForFinished(30000));
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  std::istringstream lines(cli.readAllStandardOutput().toStdString());
  const auto& catalogue = params::ParameterCatalogue();
  std::string line;
  for (std::size_t row = 0; row < catalogue.size(); ++row) {
    ASSERT_TRUE(std::getline(lines, line)) << "bms-cli printed fewer rows";
    std::istringstream fields(line);
    std::string readId, item, value;
    fields >> readId >> item >> value;
    EXPECT_EQ(readId, catalogue[row].codec.readId);
    // The window shows a choice's text after its index.
    const auto shown = window().cell(kTable, static_cast<int>(row), kController);
    EXPECT_EQ(shown.substr(0, shown.find(' ')), value) << line;
  }
}
#endif

}  // namespace
}  // namespace bms::qt
