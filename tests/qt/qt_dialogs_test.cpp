// The modal dialogs of the Qt platform, answered as a person would by a timer that finds
// the dialog once it is shown.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <filesystem>
#include <fstream>

#include "qt/qt_application.h"
#include "qt/qt_platform.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

class QtDialogs : public ::testing::Test {
 protected:
  std::filesystem::path dir = [] {
    EnsureApplication();  // before the platform's objects
    auto path = std::filesystem::temp_directory_path() / "bms-qt-dialogs";
    std::filesystem::create_directories(path);
    return path;
  }();
  QtPlatform platform{dir};
};

TEST_F(QtDialogs, YesNoReturnsTheAnswerAndShowsTheQuestion) {
  for (const auto& [button, expected] :
       {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
    QString shownText;
    QString shownTitle;
    AnswerNext<QMessageBox>([&, button = button](QMessageBox& box) {
      shownText = box.text();
      shownTitle = box.windowTitle();
      box.button(button)->click();
    });
    EXPECT_EQ(platform.askYesNo("写入 3 项？", "写入更改"), expected);
    EXPECT_EQ(shownText, QString::fromUtf8("写入 3 项？"));
    EXPECT_EQ(shownTitle, QString::fromUtf8("写入更改"));
  }
}

TEST_F(QtDialogs, FileChoosersReturnTheChosenFileOrNothing) {
  const auto existing = dir / "saved.json";
  std::ofstream(existing) << "{}";
  QStringList filters;
  AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
    filters = dialog.nameFilters();
    dialog.setDirectory(QString::fromStdString(existing.parent_path().string()));
    // Typed into the name box as a person would: selectFile() leaves the box alone while
    // it has the focus, which a dialog shown after an earlier one can have at once.
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(existing.filename().string()));
    // Accepted as a click on Open would, without waiting for the folder to be listed.
    static_cast<QDialog&>(dialog).done(QDialog::Accepted);  // public on the base
  });
  EXPECT_EQ(platform.chooseFileToOpen("打开"), existing);
  EXPECT_TRUE(filters.join(' ').contains("*.json"));

  // Accepted as it opens, the save dialog gives the name it suggested.
  AnswerNext<QFileDialog>([](QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); });
  const auto saved = platform.chooseFileToSave("另存为", "bmc-100000000.json");
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->filename(), "bmc-100000000.json");

  for (const bool save : {true, false}) {
    AnswerNext<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(
        save ? platform.chooseFileToSave("另存为", "bmc.json") : platform.chooseFileToOpen("打开"),
        std::nullopt);
  }
}

}  // namespace
}  // namespace bms::qt
