#include "app/language_switch.h"

#include "app/caption_table.h"
#include "app/identity.h"

namespace bms::app {

std::string MainWindowTitle(Language language) {
  std::string title = language == Language::Chinese
                          ? "电池管理系统调试软件 - 适用于 ARVENT 系列部件 - 技术支持："
                          : "Battery management system debugging software - For ARVENT series "
                            "parts - technical support: ";
  title += kSupportAddress;
  return title;
}

std::string AboutText() {
  std::string text = "ARVENT 系列产品  ";
  text += kMakerName;
  text += "\r\n";
  text += kSupportAddress;
  text += "\r\nTel/Wechat:";
  text += kContactNumber;
  text += "\r\nEmail:";
  text += kContactEmail;
  return text;
}

void ApplyLanguage(forms::Form& main, Language language, bool newVersionKnown) {
  const bool chinese = language == Language::Chinese;
  if (newVersionKnown) {
    main.setText("新版提示", chinese ? "请升级新版本" : "Please upgrade to a new version");
  }
  main.setTitle(MainWindowTitle(language));
  for (const auto& caption : ControlCaptions()) {
    main.setText(caption.control, chinese ? caption.chinese : caption.english);
  }
  for (const auto& page : PageCaptions()) {
    // Pages are named after their Chinese caption.
    std::string name(page.tabControl);
    name += '.';
    name += page.chinese;
    main.setText(name, chinese ? page.chinese : page.english);
  }
  for (const auto& tip : ControlToolTips()) {
    main.setToolTip(tip.control, chinese ? tip.chinese : tip.english);
  }
  const std::string button = main.text("通信按钮");
  if (chinese) {
    if (button == "Start") main.setText("通信按钮", "开始");
    if (button == "Stop") main.setText("通信按钮", "停止");
  } else {
    if (button == "开始") main.setText("通信按钮", "Start");
    if (button == "停止") main.setText("通信按钮", "Stop");
  }
}

}  // namespace bms::app
