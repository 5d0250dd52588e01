#include "service/dc_charging.h"

#include <array>
#include <string>

#include "wire/frame_bytes.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::service {

namespace {

constexpr std::string_view kUnused = "FFFFFFFF";
constexpr std::string_view kReportId = "09A0FA20";
constexpr std::string_view kCommandId = "09A0FA24";

// The charger's reports in item order 00 to 05.
constexpr std::array<std::string_view, 6> kReports = {
    "充电机最高输出电压显示标签",     "充电机最低输出电压显示标签",
    "充电机最大输出电流显示标签",     "充电机最小输出电流显示标签",
    "充电机报告当前输出电压显示标签", "充电机报告当前输出电流显示标签"};
constexpr std::string_view kPauseState = "充电机报告当前暂停状态显示标签";
constexpr std::string_view kSupply = "充电机12V供电电压显示标签";
constexpr std::string_view kSocket = "直流充电插座温度值显示标签";
constexpr std::string_view kReset = "复位充电故障状态显示标签";

struct Request {
  std::string_view button;
  std::string_view id;
  std::string_view data1;
  std::string_view label;
};

constexpr Request kRequests[] = {
    {"读充电机最高输出电压按钮", kReportId, "00FFFFFF", kReports[0]},
    {"读充电机最低输出电压按钮", kReportId, "01FFFFFF", kReports[1]},
    {"读充电机最大输出电流按钮", kReportId, "02FFFFFF", kReports[2]},
    {"读充电机最小输出电流按钮", kReportId, "03FFFFFF", kReports[3]},
    {"读充电机报告当前输出电压按钮", kReportId, "04FFFFFF", kReports[4]},
    {"读充电机报告当前输出电流按钮", kReportId, "05FFFFFF", kReports[5]},
    {"读充电机报告当前暂停状态按钮", "09A0FA22", kUnused, kPauseState},
    {"控制充电机暂停充电按钮", kCommandId, "0100FFFF", kPauseState},
    {"控制充电机继续充电按钮", kCommandId, "0101FFFF", kPauseState},
    {"读充电机12V供电电压按钮", "09A0FA26", kUnused, kSupply},
    {"读直流充电插座温度值按钮", "09A0FA30", kUnused, kSocket},
    {"复位充电故障状态按钮", "09A0FA0E", "00FFFFFF", kReset},
};

// Fields are read up to their eighth character, as the frame's bytes are.
float FloatOf(std::string_view field) { return wire::HexToFloat(field.substr(0, 8)); }

// A report is a value only once the charger has sent it; byte 2 says so.
void ShowReport(forms::Form& main, std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  for (std::size_t item = 0; item < kReports.size(); ++item) {
    if (bytes.byteText(1) != wire::ByteToHex2(static_cast<std::int64_t>(item))) continue;
    main.setText(kReports[item],
                 bytes.byteText(2) == "01" ? wire::FormatDecimals(FloatOf(data2), 1) : "Not read");
  }
}

void ShowPauseState(forms::Form& main, std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  if (bytes.byteText(1) != "01") {
    main.setText(kPauseState, "Not read");
  } else {
    main.setText(kPauseState, bytes.byteText(2) == "01" ? "Continue" : "Pause");
  }
}

void ShowCommandDone(forms::Form& main, std::string_view data1, std::string_view data2) {
  if (wire::FrameBytes(data1, data2).byteText(1) == "AA") main.setText(kPauseState, "Done");
}

void ShowSupply(forms::Form& main, std::string_view data1, std::string_view) {
  main.setText(kSupply, wire::FormatDecimals(FloatOf(data1), 2));
}

// Byte 1 counts the sensors fitted; their readings follow it.
void ShowSocket(forms::Form& main, std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  const auto count = bytes.byteText(1);
  const std::string first = "1: " + wire::SignedByteToText(bytes.byteText(2)) + ",  2: ";
  if (count == "00") {
    main.setText(kSocket, "No Sensor");
  } else if (count == "01") {
    main.setText(kSocket, first + "No Sensor");
  } else if (count == "02") {
    main.setText(kSocket, first + wire::SignedByteToText(bytes.byteText(3)));
  }
}

void ShowResetDone(forms::Form& main, std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  if (bytes.byteText(1) == "00" && bytes.byteText(2) == "AA") {
    main.setText(kReset, "Module is received");
  }
}

struct Answer {
  std::string_view id;
  void (*show)(forms::Form&, std::string_view data1, std::string_view data2);
};

constexpr Answer kAnswers[] = {
    {"09A1FA21", ShowReport}, {"09A1FA23", ShowPauseState}, {"09A1FA25", ShowCommandDone},
    {"09A1FA27", ShowSupply}, {"09A1FA31", ShowSocket},     {"09A1FA0F", ShowResetDone},
};

}  // namespace

DcCharging::DcCharging(base::Context& context, link::LinkControl& link)
    : context_(context), link_(link) {}

void DcCharging::bind() {
  for (const auto& request : kRequests) {
    context_.main().bind(request.button, forms::Event::Click, [this, &request] {
      link_.sendFrame(request.id, request.data1, kUnused);
      context_.main().setText(request.label, "Wait");
    });
  }
}

void DcCharging::registerDecoders(monitor::Dispatcher& dispatcher) {
  for (const auto& answer : kAnswers) {
    dispatcher.addExact(answer.id,
                        [this, &answer](auto, std::string_view data1, std::string_view data2) {
                          answer.show(context_.main(), data1, data2);
                        });
  }
}

}  // namespace bms::service
