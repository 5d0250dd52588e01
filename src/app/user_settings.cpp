#include "app/user_settings.h"

#include <fstream>
#include <system_error>
#include <vector>

#include "app/language_switch.h"
#include "app/small_file.h"
#include "wire/hex_text.h"

namespace bms::app {

namespace {

// A real settings file is a few dozen bytes; anything past this is not ours to read.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

// Absent fields read as "0".
constexpr std::string_view kFieldPadding = ",0,0,0,0,0,0,0,0,0,0,0,0,0,";

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const auto comma = text.find(',', start);
    if (comma == std::string::npos) {
      fields.push_back(text.substr(start));
      return fields;
    }
    fields.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
}

// Sets a combo box index from a field; text that is not a number, or a number that
// names no item, selects the first item rather than leaving the box blank.
void SetIndexFromField(forms::Form& main, std::string_view combo, std::string_view field) {
  const auto count = static_cast<std::int64_t>(main.items(combo).size());
  const auto value = wire::DecimalTextToInteger(field).value_or(0);
  main.setIndex(combo, value >= 0 && value < count ? static_cast<int>(value) : 0);
}

}  // namespace

base::Language LoadUserSettings(forms::Form& main, const std::filesystem::path& programDir) {
  const auto fields =
      SplitAtCommas(ReadSmallFile(programDir / kUserSettingsFile, kMaxSettingsBytes) +
                    std::string(kFieldPadding));
  main.setText("服务器地址编辑框", fields[0]);
  main.setText("服务器端口编辑框", fields[1]);
  // Loaded whole, however long: the login refuses a password that is too long, while a
  // cut one would be sent and saved as if it were the user's.
  main.setText("远程密码编辑框", fields[2]);
  main.setText("BMC编号编辑框", fields[3]);
  const bool english = fields[4] == "0";
  main.setChecked("英文单选框", english);
  main.setChecked("简体中文单选框", !english);
  SetIndexFromField(main, "串口号选择框", fields[5]);
  SetIndexFromField(main, "网络模式选择框", fields[6]);
  const bool serial = fields[7] == "0";
  main.setChecked("串口通信单选框", serial);
  main.setChecked("网络通信单选框", !serial);
  return english ? base::Language::English : base::Language::Chinese;
}

std::string FormatUserSettings(const forms::Form& main) {
  std::string text;
  for (const std::string& field :
       {main.text("服务器地址编辑框"), main.text("服务器端口编辑框"), main.text("远程密码编辑框"),
        main.text("BMC编号编辑框"), std::string(main.checked("简体中文单选框") ? "1" : "0"),
        std::to_string(main.index("串口号选择框")), std::to_string(main.index("网络模式选择框")),
        std::string(main.checked("串口通信单选框") ? "0" : "1")}) {
    text += field;
    text += ',';
  }
  return text;
}

bool SaveUserSettings(const forms::Form& main, const std::filesystem::path& programDir) {
  namespace fs = std::filesystem;
  const auto target = programDir / kUserSettingsFile;
  const auto temporary = programDir / (std::string(kUserSettingsFile) + ".tmp");
  const std::string text = FormatUserSettings(main);
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    std::error_code ignored;
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace, ignored);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.flush();
    if (!file) {
      file.close();
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace bms::app
