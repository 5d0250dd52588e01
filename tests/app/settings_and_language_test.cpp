#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/app.h"
#include "app/factory_marker.h"
#include "app/language_switch.h"
#include "app/user_settings.h"
#include "forms/tables.h"
#include "testing/fake_platform.h"
#include "testing/form_factories.h"
#include "testing/memory_form.h"

namespace bms::app {
namespace {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bms-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path path_;
};

TEST(Language, TheCommunicationButtonKeepsItsState) {
  testing::MemoryForm main(forms::MainWindowTable());
  struct Case {
    const char* before;
    Language language;
    const char* after;
  };
  for (const auto& c :
       {Case{"停止", Language::English, "Stop"}, Case{"Stop", Language::Chinese, "停止"},
        Case{"开始", Language::English, "Start"}, Case{"Start", Language::Chinese, "开始"},
        Case{"Start", Language::English, "Start"}, Case{"other", Language::Chinese, "other"}}) {
    main.setText("通信按钮", c.before);
    ApplyLanguage(main, c.language, false);
    EXPECT_EQ(main.text("通信按钮"), c.after) << c.before;
  }
}

TEST(Language, NewVersionTextOnlyWhileANewerReleaseIsKnown) {
  testing::MemoryForm main(forms::MainWindowTable());
  main.setText("新版提示", "");
  ApplyLanguage(main, Language::English, false);
  EXPECT_EQ(main.text("新版提示"), "");
  ApplyLanguage(main, Language::English, true);
  EXPECT_EQ(main.text("新版提示"), "Please upgrade to a new version");
  ApplyLanguage(main, Language::Chinese, true);
  EXPECT_EQ(main.text("新版提示"), "请升级新版本");
}

TEST(UserSettings, SavedFileHasTheEightFields) {
  testing::MemoryForm main(forms::MainWindowTable());
  main.setText("服务器地址编辑框", "relay.example.net");
  main.setText("服务器端口编辑框", "8000");
  main.setText("远程密码编辑框", "572906");
  main.setText("BMC编号编辑框", "100000000");
  main.setChecked("简体中文单选框", true);
  main.setChecked("网络通信单选框", true);
  main.setIndex("串口号选择框", 3);
  main.setIndex("网络模式选择框", 1);
  EXPECT_EQ(FormatUserSettings(main), "relay.example.net,8000,572906,100000000,1,3,1,1,");

  TempDir dir;
  dir.write("bms_user.txt", "old contents that are longer than the new ones, by far");
  ASSERT_TRUE(SaveUserSettings(main, dir.path()));
  std::ifstream file(dir.path() / "bms_user.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}),
            "relay.example.net,8000,572906,100000000,1,3,1,1,");
  struct stat info {};
  ASSERT_EQ(stat((dir.path() / "bms_user.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds a password";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "no temporary file is left behind";

  testing::MemoryForm reloaded(forms::MainWindowTable());
  EXPECT_EQ(LoadUserSettings(reloaded, dir.path()), Language::Chinese);
  EXPECT_EQ(FormatUserSettings(reloaded), FormatUserSettings(main));
}

TEST(UserSettings, AnUnwritableDirectoryIsReportedNotHidden) {
  testing::MemoryForm main(forms::MainWindowTable());
  EXPECT_FALSE(SaveUserSettings(main, "/nonexistent-directory/for/sure"));
}

TEST(FactoryMarker, TextWithoutTrailingLineEndsAndBlanks) {
  struct Case {
    std::optional<std::string> bytes;
    std::optional<std::string> marker;
  };
  for (const auto& c :
       {Case{std::nullopt, std::nullopt}, Case{"", std::nullopt}, Case{"F", "F"},
        Case{"AB12\r\n", "AB12"}, Case{" AB 12 \t\n\n", " AB 12"}, Case{"\r\n", ""}}) {
    TempDir dir;
    if (c.bytes) dir.write("BMS_Factory.txt", *c.bytes);
    EXPECT_EQ(ReadFactoryMarker(dir.path()), c.marker);
  }
}

TEST(SerialPorts, EachItemSaysWhichDeviceItOpens) {
  TempDir dir;
  dir.write("bms_user.txt", ",0,1,100000000,0,3,0,0,");
  testing::FakePlatform platform(dir.path(), testing::FormFactoryFor(testing::Backend::Memory));
  platform.serial.deviceTexts = {{1, "/dev/ttyUSB0"}, {3, "/dev/ttyUSB2"}};
  App app(platform);
  app.start();
  auto& main = *platform.findWindow(base::Window::Main);
  const auto items = main.items("串口号选择框");
  ASSERT_EQ(items.size(), 33u);
  EXPECT_EQ(items[0], "");
  EXPECT_EQ(items[1], "COM1  /dev/ttyUSB0");
  EXPECT_EQ(items[2], "COM2");
  EXPECT_EQ(items[3], "COM3  /dev/ttyUSB2");
  EXPECT_EQ(main.index("串口号选择框"), 3) << "the stored index still selects the same port";
}

}  // namespace
}  // namespace bms::app
