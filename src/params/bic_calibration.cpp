#include "params/bic_calibration.h"

#include <string>

#include "monitor/bic_detail.h"
#include "params/validators.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"

namespace bms::params {

namespace {

using base::Window;

constexpr std::string_view kResult = "BIC基准电压显示标签";
constexpr std::string_view kAnsweredBic = "实时返回的BIC编号标签";
constexpr std::string_view kPlannedBic = "计划读取的BIC编号标签";
constexpr std::string_view kReadCellInfo = "读取单体信息选择框";

constexpr int kMirrorMs = 100;
constexpr std::int64_t kMostBics = 253;
constexpr std::int64_t kWordMax = 65535;
// The cell index travels in one byte: cell 256 is index 255.
constexpr std::int64_t kMostCells = 256;

constexpr std::string_view kNoData = "FFFFFFFF";

}  // namespace

BicCalibration::BicCalibration(base::Context& context, link::LinkControl& link)
    : context_(context),
      link_(link),
      mirrorTimer_(context.platform.createTimer("bic:与主窗口IC详情状态同步时钟")) {
  mirrorTimer_->onTick = [this] { mirror(); };
}

void BicCalibration::bind() {
  context_.main().bind("BIC校准按钮", forms::Event::Click, [this] { open(); });
}

void BicCalibration::registerDecoders(monitor::Dispatcher& dispatcher) {
  dispatcher.addPrefix("09A12D", [this](auto, std::string_view data1, auto) {
    if (auto* form = window()) {
      form->setText(kResult, std::to_string(wire::FrameBytes(data1, {}).word(1)));
    }
  });
  dispatcher.addPrefix("09A12F", [this](auto, std::string_view data1, auto) {
    auto* form = window();
    if (form != nullptr && wire::TextEquals(wire::FrameBytes(data1, {}).byteText(1), "AA")) {
      form->setText(kResult, "Done");
    }
  });
}

void BicCalibration::onClosed() { mirrorTimer_->setInterval(0); }

forms::Form* BicCalibration::window() { return context_.platform.findWindow(Window::Bic); }

void BicCalibration::open() {
  auto& platform = context_.platform;
  if (window() != nullptr) {
    platform.openWindow(Window::Bic);  // brings it to the front
    return;
  }
  bindWindow(platform.openWindow(Window::Bic));
  base::CentreOnMain(platform, Window::Bic);
  mirrorTimer_->setInterval(kMirrorMs);
}

void BicCalibration::bindWindow(forms::Form& form) {
  const auto on = [this, &form](std::string_view button, void (BicCalibration::*action)()) {
    form.bind(button, forms::Event::Click, [this, action] { whileBicKnown(action); });
  };
  on("读BIC基准电压按钮", &BicCalibration::onReadReference);
  on("保存BIC基准电压按钮", &BicCalibration::onWriteReference);
  on("校准BIC某节单体电压按钮", &BicCalibration::onCalibrateCell);
  on("切换至BIC单体查看按钮", &BicCalibration::onSwitchToCellView);
  on("上一个BIC按钮", &BicCalibration::onPreviousBic);
  on("下一个BIC按钮", &BicCalibration::onNextBic);
}

void BicCalibration::mirror() {
  auto* form = window();
  if (form == nullptr) return;
  auto& main = context_.main();
  form->setText(kAnsweredBic, main.text(kAnsweredBic));
  form->setText(kPlannedBic, main.text(kPlannedBic));
}

void BicCalibration::whileBicKnown(void (BicCalibration::*action)()) {
  // "*" until the first cell detail frame: there is no BIC to work on yet.
  if (context_.main().text(kAnsweredBic) == "*") {
    context_.raiseError();
    return;
  }
  (this->*action)();
}

std::optional<std::int64_t> BicCalibration::currentBic() {
  const auto bic = ValueUpTo(context_.main().text(kAnsweredBic), wire::IsIntegerText, kMostBics);
  // 0 (with no BIC installed, ">" plans it) addresses no BIC.
  if (!bic || *bic < 1) return std::nullopt;
  return bic;
}

void BicCalibration::onReadReference() {
  const auto bic = currentBic();
  if (!bic) return context_.raiseError();
  send(*bic, "09A02C", kNoData);
}

void BicCalibration::onWriteReference() {
  const auto bic = currentBic();
  if (!bic) return context_.raiseError();
  // The window's hint 2485 to 2515 is advice only: any value that fits is sent.
  const auto millivolts =
      ValueUpTo(window()->text("BIC基准电压设定编辑框"), IsPositiveIntegerText, kWordMax);
  if (!millivolts) return context_.raiseError();
  send(*bic, "09A02E", "00" + wire::WordToHex4(*millivolts) + "FF");
}

void BicCalibration::onCalibrateCell() {
  const auto bic = currentBic();
  if (!bic) return context_.raiseError();
  auto& form = *window();
  const auto cell =
      ValueUpTo(form.text("BIC某节单体编号输入编辑框"), IsPositiveIntegerText, kMostCells);
  if (!cell) return context_.raiseError();
  const auto millivolts =
      ValueUpTo(form.text("BIC某节单体电压输入编辑框"), IsPositiveIntegerText, kWordMax);
  if (!millivolts) return context_.raiseError();
  send(*bic, "09A02E", "01" + wire::WordToHex4(*millivolts) + wire::ByteToHex2(*cell - 1));
}

// The main window's own "<" and ">": the mirror shows the new planned BIC at its next tick.
void BicCalibration::onPreviousBic() { monitor::PreviousBic(context_.main(), context_.bic); }
void BicCalibration::onNextBic() { monitor::NextBic(context_.main(), context_.bic); }

// The main window's run monitoring page, reading the planned BIC's cells if it can.
void BicCalibration::onSwitchToCellView() {
  auto& main = context_.main();
  main.setIndex("总选择夹", 0);
  if (!main.enabled(kReadCellInfo)) return;
  main.setChecked(kReadCellInfo, true);
  monitor::OnReadCellInfoToggled(main, context_.bic);
}

void BicCalibration::send(std::int64_t bic, std::string_view command, std::string_view data1) {
  window()->setText(kResult, "Wait");
  link_.sendFrame(std::string(command) + wire::ByteToHex2(bic), data1, kNoData);
}

}  // namespace bms::params
