#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/app.h"
#include "app/factory_marker.h"
#include "app/language_switch.h"
#include "app/user_settings.h"
#include "forms/tables.h"
#include "recorder/recording_fixture.h"
#include "testing/fake_platform.h"
#include "testing/form_factories.h"
#include "testing/memory_form.h"

namespace bms::app {
namespace {

using recorder::test::TempDir;

void Write(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

TEST(Language, TheCommunicationButtonKeepsItsState) {
  testing::MemoryForm main(forms::MainWindowTable());
  for (const auto& [before, language, after] : {std::tuple{"停止", Language::English, "Stop"},
                                                {"Stop", Language::Chinese, "停止"},
                                                {"开始", Language::English, "Start"},
                                                {"Start", Language::Chinese, "开始"},
                                                {"Start", Language::English, "Start"},
                                                {"other", Language::Chinese, "other"}}) {
    main.setText("通信按钮", before);
    ApplyLanguage(main, language, false);
    EXPECT_EQ(main.text("通信按钮"), after) << before;
  }
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
  const std::string saved = "relay.example.net,8000,572906,100000000,1,3,1,1,";
  EXPECT_EQ(FormatUserSettings(main), saved);

  TempDir dir;
  const auto file = dir.path() / "bms_user.txt";
  Write(file, "old contents that are longer than the new ones, by far");
  ASSERT_TRUE(SaveUserSettings(main, dir.path()));
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), saved);
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds a password";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "no temporary file is left behind";

  testing::MemoryForm reloaded(forms::MainWindowTable());
  EXPECT_EQ(LoadUserSettings(reloaded, dir.path()), Language::Chinese);
  EXPECT_EQ(FormatUserSettings(reloaded), saved);
  EXPECT_FALSE(SaveUserSettings(main, "/nonexistent-directory/for/sure")) << "reported, not hidden";
}

TEST(FactoryMarker, TextWithoutTrailingLineEndsAndBlanks) {
  for (const auto& [bytes, marker] :
       std::vector<std::pair<std::optional<std::string>, std::optional<std::string>>>{
           {std::nullopt, std::nullopt},
           {"", std::nullopt},
           {"F", "F"},
           {"AB12\r\n", "AB12"},
           {" AB 12 \t\n\n", " AB 12"},
           {"\r\n", ""}}) {
    TempDir dir;
    if (bytes) Write(dir.path() / "BMS_Factory.txt", *bytes);
    EXPECT_EQ(ReadFactoryMarker(dir.path()), marker) << bytes.value_or("(none)");
  }
}

TEST(SerialPorts, EachItemSaysWhichDeviceItOpens) {
  TempDir dir;
  Write(dir.path() / "bms_user.txt", ",0,1,100000000,0,3,0,0,");
  testing::FakePlatform platform(dir.path(), testing::FormFactoryFor(testing::Backend::Memory));
  platform.serial.deviceTexts = {{1, "/dev/ttyUSB0"}, {3, "/dev/ttyUSB2"}};
  App app(platform);
  app.start();
  auto& main = *platform.findWindow(base::Window::Main);
  const auto items = main.items("串口号选择框");
  ASSERT_EQ(items.size(), 33u);
  EXPECT_EQ(std::vector(items.begin(), items.begin() + 4),
            (std::vector<std::string>{"", "COM1  /dev/ttyUSB0", "COM2", "COM3  /dev/ttyUSB2"}));
  EXPECT_EQ(main.index("串口号选择框"), 3) << "the stored index still selects the same port";
}

}  // namespace
}  // namespace bms::app
