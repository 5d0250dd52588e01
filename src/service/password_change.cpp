#include "service/password_change.h"

#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::service {

namespace {

constexpr std::string_view kNewBox = "新密码编辑框";
constexpr std::string_view kRepeatBox = "重复输入密码编辑框";
constexpr std::string_view kStatus = "修改密码状态标签";

}  // namespace

void PasswordChange::bind() {
  context_.main().bind("修改密码按钮", forms::Event::Click, [this] { onSave(); });
}

void PasswordChange::onSave() {
  auto& main = context_.main();
  const auto caption = main.text("通信按钮");
  if (caption == "Start" || caption == "开始") {
    return context_.fail("BMS not connected!\r\n", "BMS未连接！\r\n");
  }
  const auto password = main.text(kNewBox);
  const bool same = wire::TextEquals(password, main.text(kRepeatBox));
  // Nothing for a password longer than the login can carry.
  const auto line =
      wire::PasswordChangeLine(wire::BmcNumberToHex(main.text("BMC编号编辑框")), password);
  if (same && !line) context_.fail("The password is too long", "密码太长");
  if (!same || !line) return context_.fail("Please input correctly!\r\n", "请正确输入！\r\n");
  // The boxes are emptied on every connection: a stray click must not leave a controller
  // that the relay reaches without a password.
  if (password.empty()) return context_.fail("Please enter a password!\r\n", "请输入密码！\r\n");
  // The login box goes into the settings file, which has no escaping for a comma: the
  // next connection could not log in with such a password.
  if (password.find(',') != std::string::npos) {
    return context_.fail("The password must not contain a comma!\r\n", "密码不能包含逗号！\r\n");
  }
  main.setText(kStatus, "Wait");
  pending_ = password;
  link_.sendLine(*line);
}

void PasswordChange::onResult(std::string_view result) {
  auto& main = context_.main();
  if (wire::TextEquals(result, "0")) {
    context_.fail("Failed to change the password!", "密码修改失败！");
    main.setText(kStatus, "Error");
    return;
  }
  main.setText(kStatus, "Done");
  if (pending_) main.setText("远程密码编辑框", *pending_);
  pending_.reset();
  link_.closeLink();
}

}  // namespace bms::service
