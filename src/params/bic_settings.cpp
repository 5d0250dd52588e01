#include "params/bic_settings.h"

#include <string>

#include "params/validators.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"

namespace bms::params {

namespace {

constexpr std::string_view kNoData = "FFFFFFFF";

constexpr std::string_view kInstalledDisplay = "参数标定界面安装BIC数量显示标签";
constexpr std::string_view kAddressDisplay = "BIC地址显示标签";
constexpr std::string_view kCellsDisplay = "BIC安装单体数量显示标签";
constexpr std::string_view kSensorsDisplay = "BIC温度传感器数量显示标签";
constexpr std::string_view kCycleDisplay = "BIC检测周期显示标签";

constexpr std::string_view kAddressBox = "指定BIC地址选择框";
constexpr std::string_view kAddressTitle = "指定BIC地址标题标签";
constexpr std::string_view kAddressInput = "指定BIC地址编辑框";

// The tool accepts up to 253 BICs; a byte holds every address and count.
constexpr std::int64_t kMostBics = 253;
constexpr std::int64_t kByteMax = 255;

// The rows of the disconnection voltage differences: the controller has no frames for
// them, so they cannot be used.
constexpr std::string_view kInertControls[] = {"读BIC检测周期按钮1",     "BIC检测周期设定编辑框1",
                                               "保存BIC检测周期按钮1",   "读BIC检测周期按钮2",
                                               "BIC检测周期设定编辑框2", "保存BIC检测周期按钮2"};

std::string CountField(std::int64_t count) { return wire::ByteToHex2(count) + "FFFFFF"; }

}  // namespace

void BicSettings::bind() {
  auto& main = context_.main();
  for (const auto name : kInertControls) main.setEnabled(name, false);
  main.bind("读安装BIC数量按钮", forms::Event::Click,
            [this] { send(kInstalledDisplay, "09A00100", kNoData); });
  main.bind("保存安装BIC数量按钮", forms::Event::Click, [this] { onSaveInstalledCount(); });
  main.bind("读取BIC地址按钮", forms::Event::Click,
            [this] { send(kAddressDisplay, "09A02000", kNoData); });
  main.bind("保存BIC地址按钮", forms::Event::Click, [this] { onSaveAddress(); });
  main.bind("读BIC单体数量按钮", forms::Event::Click,
            [this] { onCountRequest("09A024", kCellsDisplay, std::nullopt); });
  main.bind("保存BIC单体数量按钮", forms::Event::Click, [this] {
    const auto count = ValueUpTo(context_.main().text("BIC安装单体数量设定编辑框"),
                                 IsPositiveIntegerText, kByteMax);
    if (!count) return refuse();
    onCountRequest("09A026", kCellsDisplay, count);
  });
  main.bind("读BIC温感数量按钮", forms::Event::Click,
            [this] { onCountRequest("09A028", kSensorsDisplay, std::nullopt); });
  main.bind("保存BIC温感数量按钮", forms::Event::Click, [this] {
    const auto count = ValueUpTo(context_.main().text("BIC温度传感器数量设定编辑框"),
                                 IsNonNegativeIntegerText, kByteMax);
    if (!count) return refuse();
    onCountRequest("09A02A", kSensorsDisplay, count);
  });
  main.bind(kAddressBox, forms::Event::Click, [this] { onAddressBoxToggled(); });
  // The controller defines no frame for the test cycle: its buttons only show that they
  // were pressed.
  main.bind("读BIC检测周期按钮", forms::Event::Click,
            [this] { context_.main().setText(kCycleDisplay, "Wait"); });
  main.bind("保存BIC检测周期按钮", forms::Event::Click,
            [this] { context_.main().setText(kCycleDisplay, "Wait"); });
}

void BicSettings::registerDecoders(monitor::Dispatcher& dispatcher) {
  struct Answer {
    std::string_view prefix;
    std::string_view display;
    bool acknowledgement;
  };
  static constexpr Answer kAnswers[] = {
      {"09A121", kAddressDisplay, false}, {"09A123", kAddressDisplay, true},
      {"09A125", kCellsDisplay, false},   {"09A127", kCellsDisplay, true},
      {"09A129", kSensorsDisplay, false}, {"09A12B", kSensorsDisplay, true},
  };
  for (const auto& answer : kAnswers) {
    dispatcher.addPrefix(answer.prefix, [this, &answer](auto, std::string_view data1, auto) {
      const wire::FrameBytes bytes(data1, {});
      auto& main = context_.main();
      if (!answer.acknowledgement) {
        main.setText(answer.display, std::to_string(bytes.byte(1)));
      } else if (wire::TextEquals(bytes.byteText(1), "AA")) {
        main.setText(answer.display, "Done");
      }
    });
  }
}

void BicSettings::onSaveInstalledCount() {
  const auto count =
      ValueUpTo(context_.main().text("安装BIC数量设定编辑框"), wire::IsIntegerText, kMostBics);
  if (!count || *count < 1) return refuse();
  send(kInstalledDisplay, "09A00102", CountField(*count));
}

void BicSettings::onSaveAddress() {
  const auto address =
      ValueUpTo(context_.main().text("BIC地址设定编辑框"), IsPositiveIntegerText, kByteMax);
  if (!address) return refuse();
  send(kAddressDisplay, "09A02200", CountField(*address));
}

void BicSettings::onCountRequest(std::string_view command, std::string_view display,
                                 std::optional<std::int64_t> count) {
  const auto address = targetAddress();
  if (!address) return refuse();
  const std::string id = std::string(command) + wire::ByteToHex2(*address);
  send(display, id, count ? CountField(*count) : std::string(kNoData));
}

std::optional<std::int64_t> BicSettings::targetAddress() {
  auto& main = context_.main();
  if (!main.checked(kAddressBox)) return 0;
  return ValueUpTo(main.text(kAddressInput), IsPositiveIntegerText, kByteMax);
}

void BicSettings::onAddressBoxToggled() {
  auto& main = context_.main();
  const bool ticked = main.checked(kAddressBox);
  main.setVisible(kAddressTitle, ticked);
  main.setVisible(kAddressInput, ticked);
}

void BicSettings::send(std::string_view display, std::string_view id, std::string_view data1) {
  context_.main().setText(display, "Wait");
  link_.sendFrame(id, data1, kNoData);
}

}  // namespace bms::params
