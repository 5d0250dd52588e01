#include "params/sensor_calibration.h"

#include <string>

#include "params/calibration_math.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::params {

namespace {

using CurrentChannel = SensorCalibration::CurrentChannel;
using StepControls = SensorCalibration::StepControls;

constexpr std::string_view kUnused = "FFFFFFFF";
constexpr std::string_view kNewScale = "00FFFFFF";
constexpr std::string_view kCorrection = "01FFFFFF";
constexpr std::string_view kAutomaticZero = "00FFFFFF";
constexpr std::string_view kManualZero = "01";
constexpr std::string_view kAccepted = "AA";

constexpr std::string_view kPackRange = "总电流量程显示标签";
constexpr std::string_view kPackZero = "电流传感器零位显示标签";
constexpr std::string_view kVoltageRange = "总电压量程显示标签";
constexpr std::string_view kPortRange = "直流充电口电流量程显示标签";
constexpr std::string_view kPortZero = "直流充电口电流传感器零位显示标签";
constexpr std::string_view kPortLiveCurrent = "独立的直流充电口电流检测标定界面_实时电流值显示标签";
constexpr std::string_view kPortReading = "直流充电口电流检测值显示标签";

constexpr std::string_view kVoltageCalibrateId = "09A0011A";
constexpr std::string_view kPortReadingAnswer = "09A1FA33";

constexpr std::string_view kDividerBox = "修改内置分压电阻选择框";
constexpr std::string_view kExtensionResistor = "扩展电阻编辑框";
constexpr std::string_view kResistorA = "内置电阻RA编辑框";
constexpr std::string_view kResistorB = "内置电阻RB编辑框";
constexpr std::string_view kDefaultResistorA = "800";
constexpr std::string_view kDefaultResistorB = "10";

constexpr CurrentChannel kCurrentChannels[] = {
    {.model = "BMC型号选择组合框",
     .sensorValue = "电流传感器参数输入编辑框",
     .calibrate = "电流检测标定按钮",
     .zeroValue = "电流传感器零位值编辑框",
     .manualZero = "手动设置电流传感器零位按钮",
     .rangeLabel = kPackRange,
     .zeroLabel = kPackZero,
     .calibrateId = "09A0011E",
     .setZeroId = "09A00122"},
    {.model = "直流充电口模块型号选择组合框",
     .sensorValue = "直流充电口电流传感器参数输入编辑框",
     .calibrate = "直流充电口电流检测标定按钮",
     .zeroValue = "直流充电口电流传感器零位值编辑框",
     .manualZero = "直流充电口手动设置电流传感器零位按钮",
     .rangeLabel = kPortRange,
     .zeroLabel = kPortZero,
     .calibrateId = "09A0FA1A",
     .setZeroId = "09A0FA1E"},
};

constexpr StepControls kSteps[] = {
    {"总电流步进标定选择组合框", "总电流检测步进微调加大按钮", "总电流检测步进微调减小按钮",
     kPackRange, "09A0011E"},
    {"总电压步进标定选择组合框", "总电压检测步进微调加大按钮", "总电压检测步进微调减小按钮",
     kVoltageRange, kVoltageCalibrateId},
    {"直流充电口电流步进标定选择组合框", "直流充电口电流检测步进微调加大按钮",
     "直流充电口电流检测步进微调减小按钮", kPortRange, "09A0FA1A"},
};

// Buttons that carry no value and so never refuse: reads and automatic zeroing.
struct FixedRequest {
  std::string_view button;
  std::string_view id;
  std::string_view data1;
  std::string_view label;
};

constexpr FixedRequest kFixedRequests[] = {
    {"读总电流量程按钮", "09A0011C", kUnused, kPackRange},
    {"读电流传感器零位按钮", "09A00120", kUnused, kPackZero},
    {"自动设置电流传感器零位按钮", "09A00122", kAutomaticZero, kPackZero},
    {"读总电压量程按钮", "09A00118", kUnused, kVoltageRange},
    {"直流充电口读电流量程按钮", "09A0FA18", kUnused, kPortRange},
    {"直流充电口读电流传感器零位按钮", "09A0FA1C", kUnused, kPortZero},
    {"直流充电口自动设置电流传感器零位按钮", "09A0FA1E", kAutomaticZero, kPortZero},
    {"读直流充电口独立电流检测标定界面_实时电流值按钮", "09A0FA32", kUnused, kPortLiveCurrent},
    {"读直流充电口电流检测值按钮", "09A0FA32", kUnused, kPortReading},
};

enum class Answer {
  Range,            // a single-precision value in bytes 1-4
  ZeroPoint,        // an unsigned 16-bit value in bytes 1-2
  Acknowledgement,  // "AA" in byte 1 on success
};

struct AnswerRow {
  std::string_view id;
  Answer answer;
  std::string_view label;
};

constexpr AnswerRow kAnswers[] = {
    {"09A10119", Answer::Range, kVoltageRange},
    {"09A1011B", Answer::Acknowledgement, kVoltageRange},
    {"09A1011D", Answer::Range, kPackRange},
    {"09A1011F", Answer::Acknowledgement, kPackRange},
    {"09A10121", Answer::ZeroPoint, kPackZero},
    {"09A10123", Answer::Acknowledgement, kPackZero},
    {"09A1FA19", Answer::Range, kPortRange},
    {"09A1FA1B", Answer::Acknowledgement, kPortRange},
    {"09A1FA1D", Answer::ZeroPoint, kPortZero},
    {"09A1FA1F", Answer::Acknowledgement, kPortZero},
};

// What the label shows for an answer; nothing for a refusal, which leaves "Wait".
std::optional<std::string> AnswerText(Answer answer, std::string_view data1) {
  const wire::FrameBytes bytes(data1, {});
  switch (answer) {
    case Answer::Range:
      return wire::FormatThreeDecimals(wire::HexToFloat(data1));
    case Answer::ZeroPoint:
      return std::to_string(bytes.word(1));
    case Answer::Acknowledgement:
      if (!wire::TextEquals(bytes.byteText(1), kAccepted)) return std::nullopt;
      return "Done";
  }
  return std::nullopt;
}

// The DC port module reports its current in data2; byte 1 says whether the port's own
// reading is in use. The calibration group's live value shows it either way.
void ShowPortReading(forms::Form& main, std::string_view data1, std::string_view data2) {
  const float current = wire::HexToFloat(data2);
  const auto use = wire::FrameBytes(data1, data2).byteText(1);
  if (use == "00" || use == "02") {
    main.setText(kPortReading, "Not used");
  } else if (use == "01") {
    main.setText(kPortReading, wire::FormatThreeDecimals(current));
  }
  main.setText(kPortLiveCurrent, wire::FormatDecimals(current, 4));
}

}  // namespace

SensorCalibration::SensorCalibration(base::Context& context, link::LinkControl& link)
    : context_(context), link_(link) {}

void SensorCalibration::bind() {
  auto& main = context_.main();
  for (const auto& channel : kCurrentChannels) {
    main.bind(channel.calibrate, forms::Event::Click,
              [this, &channel] { onCurrentScale(channel); });
    main.bind(channel.manualZero, forms::Event::Click, [this, &channel] { onManualZero(channel); });
  }
  for (const auto& controls : kSteps) {
    main.bind(controls.increase, forms::Event::Click,
              [this, &controls] { onStep(controls, true); });
    main.bind(controls.decrease, forms::Event::Click,
              [this, &controls] { onStep(controls, false); });
  }
  for (const auto& request : kFixedRequests) {
    main.bind(request.button, forms::Event::Click,
              [this, &request] { send(request.label, request.id, request.data1, kUnused); });
  }
  main.bind("总电压检测标定按钮", forms::Event::Click, [this] { onVoltageScale(); });
  main.bind(kDividerBox, forms::Event::Click, [this] { onDividerBox(); });
}

void SensorCalibration::registerDecoders(monitor::Dispatcher& dispatcher) {
  for (const auto& row : kAnswers) {
    dispatcher.addExact(row.id, [this, &row](auto, std::string_view data1, auto) {
      if (auto text = AnswerText(row.answer, data1)) context_.main().setText(row.label, *text);
    });
  }
  dispatcher.addExact(kPortReadingAnswer,
                      [this](auto, std::string_view data1, std::string_view data2) {
                        ShowPortReading(context_.main(), data1, data2);
                      });
}

void SensorCalibration::onCurrentScale(const CurrentChannel& channel) {
  auto& main = context_.main();
  const auto amps = TypedSingle(main.text(channel.sensorValue));
  const auto scale =
      amps ? CurrentScale(*amps, ModelMillivolts(main.index(channel.model))) : std::nullopt;
  const auto data2 = scale ? SixDigitHex8(*scale) : std::nullopt;
  if (!data2) {
    context_.raiseError();
    return;
  }
  send(channel.rangeLabel, channel.calibrateId, kNewScale, *data2);
}

void SensorCalibration::onVoltageScale() {
  auto& main = context_.main();
  const auto re = TypedSingle(main.text(kExtensionResistor));
  const auto ra = TypedSingle(main.text(kResistorA));
  const auto rb = TypedSingle(main.text(kResistorB));
  const auto scale = re && ra && rb ? VoltageScale(*re, *ra, *rb) : std::nullopt;
  const auto data2 = scale ? SixDigitHex8(*scale) : std::nullopt;
  if (!data2) {
    context_.raiseError();
    return;
  }
  send(kVoltageRange, kVoltageCalibrateId, kNewScale, *data2);
}

void SensorCalibration::onStep(const StepControls& controls, bool increase) {
  const auto factor = StepFactor(StepFraction(context_.main().index(controls.step)), increase);
  const auto data2 = factor ? SixDigitHex8(*factor) : std::nullopt;
  if (!data2) {
    context_.raiseError();
    return;
  }
  send(controls.rangeLabel, controls.calibrateId, kCorrection, *data2);
}

void SensorCalibration::onManualZero(const CurrentChannel& channel) {
  const auto zero = ManualZero(context_.main().text(channel.zeroValue));
  if (!zero) {
    context_.raiseError();
    return;
  }
  std::string data1(kManualZero);
  data1 += wire::WordToHex4(*zero);
  data1 += "FF";
  send(channel.zeroLabel, channel.setZeroId, data1, kUnused);
}

void SensorCalibration::onDividerBox() {
  auto& main = context_.main();
  const bool editable = main.checked(kDividerBox);
  main.setEnabled(kResistorA, editable);
  main.setEnabled(kResistorB, editable);
  if (editable) return;
  // Locking the built-in resistors puts back the values the board is built with.
  main.setText(kResistorA, kDefaultResistorA);
  main.setText(kResistorB, kDefaultResistorB);
}

void SensorCalibration::send(std::string_view label, std::string_view id, std::string_view data1,
                             std::string_view data2) {
  context_.main().setText(label, "Wait");
  link_.sendFrame(id, data1, data2);
}

}  // namespace bms::params
