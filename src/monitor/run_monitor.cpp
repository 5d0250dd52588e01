#include "monitor/run_monitor.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "base/language.h"
#include "forms/colours.h"
#include "monitor/run_monitor_format.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::monitor {

namespace {

using forms::colours::kBlack;
using forms::colours::kGreen;
using forms::colours::kSilver;
using forms::colours::kWhite;

constexpr std::int64_t kContactorClosed = 0x8000;
constexpr std::int64_t kStateOfChargeMask = 0x3FF;

// Live values that flip between grey and white on every 09A10003, so that one can see
// the values arriving; the current on the calibration page leads.
constexpr std::string_view kLiveCurrentLabel = "参数标定界面实时电流值标签";
constexpr std::array<std::string_view, 5> kLiveValueLabels = {
    "直流充电界面电池组当前功率显示值标签", "直流充电界面BMS当前电压显示值标签",
    "直流充电界面BMS当前电流显示值标签", "参数标定界面实时总电压值标签", kLiveCurrentLabel};

struct ReadButton {
  std::string_view button;
  std::string_view request;
  std::array<std::string_view, 4> labels;  // the labels it serves; unused ones empty
};

constexpr std::array<ReadButton, 4> kReadButtons{{
    {"读最高最低电压温度所在位置按钮",
     "09A00042",
     {"最高单体电压位置显示标签", "最低单体电压位置显示标签", "最高温度点位置显示标签",
      "最低温度点位置显示标签"}},
    {"读最高最低BIC温度位置按钮",
     "09A00044",
     {"最高温度的BIC电路板显示标签", "最低温度的BIC电路板显示标签"}},
    {"读BMC主机版本按钮", "09A00012", {"BMC主机版本显示"}},
    {"读剩余KWH按钮", "09A00020", {"剩余电量显示标签"}},
}};

// Charge and discharge capability differ only in the labels they write.
void DecodeCapability(forms::Form& main, std::string_view currentLabel, std::string_view powerLabel,
                      double& current, double& voltage, std::string_view data1,
                      std::string_view data2) {
  current = FieldToFloat(data1);
  voltage = FieldToFloat(data2);
  main.setText(currentLabel, FormatCurrent(current));
  main.setText(powerLabel,
               "x" + wire::FormatDecimals(voltage, 1) + "V=" + FormatPower(current * voltage));
}

// The cell temperatures are kept as numbers, read back from the text every temperature
// on the page shows, so that the two can never disagree.
int SignedByte(const wire::FrameBytes& bytes, int n) {
  const std::string text = wire::SignedByteToText(bytes.byteText(n));
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string Position(const wire::FrameBytes& bytes, int first, std::string_view what) {
  return "BIC-" + std::to_string(bytes.byte(first)) + "," + std::string(what) + "-" +
         std::to_string(bytes.byte(first + 1));
}

}  // namespace

void DecodeChargeAcceptance(forms::Form& main, RunValues& values, std::string_view data1,
                            std::string_view data2) {
  DecodeCapability(main, "充电控制标签", "最大充电功率标签", values.maxChargeCurrent,
                   values.maxChargeVoltage, data1, data2);
}

void DecodeDischargeCapability(forms::Form& main, RunValues& values, std::string_view data1,
                               std::string_view data2) {
  DecodeCapability(main, "放电控制标签", "最大放电功率标签", values.maxDischargeCurrent,
                   values.maxDischargeVoltage, data1, data2);
}

void DecodeCurrentVoltagePower(forms::Form& main, RunValues& values, std::string_view data1,
                               std::string_view data2) {
  values.totalVoltage = FieldToFloat(data2);
  values.current = FieldToFloat(data1);
  values.power = values.current * values.totalVoltage;
  const std::string voltage = wire::FormatDecimals(values.totalVoltage, 1) + "V";
  const std::string current = FormatCurrent(values.current);
  const std::string power = FormatPower(values.power);
  main.setText("总电压标签", voltage);
  main.setText("电流标签", current);
  main.setText("功率标签", power);

  main.setText("参数标定界面实时总电压值标签", wire::FormatDecimals(values.totalVoltage, 5) + "V");
  main.setText(kLiveCurrentLabel, wire::FormatDecimals(values.current, 5) + "A");
  main.setText("直流充电界面BMS当前电压显示值标签", voltage);
  main.setText("直流充电界面BMS当前电流显示值标签", current);
  main.setText("直流充电界面电池组当前功率显示值标签", power);

  const forms::Rgb next = main.background(kLiveCurrentLabel) == kSilver ? kWhite : kSilver;
  for (const auto label : kLiveValueLabels) main.setBackground(label, next);
}

void DecodeChargeStateAndCells(forms::Form& main, RunValues& values, std::string_view data1,
                               std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  const std::int64_t status = bytes.word(1);

  const bool closed = (status & kContactorClosed) != 0;
  main.setBackground("分压继电器指示灯", closed ? kGreen : kBlack);
  main.setTextColor("分压继电器指示灯", closed ? kBlack : kWhite);
  main.setText("分压继电器指示灯", closed ? "ON" : "OFF");

  // Tenths of a percent; the controller's reading passes through a float on its way.
  const auto tenths = static_cast<float>(status & kStateOfChargeMask);
  values.stateOfCharge = static_cast<double>(tenths) / 10.0;
  main.setText("电量标签", wire::FormatDecimals(values.stateOfCharge, 1) + "%");
  main.setValue("电量进度条", static_cast<int>(values.stateOfCharge));

  values.highestCellVoltage = static_cast<double>(bytes.word(3)) / 1000.0;
  values.lowestCellVoltage = static_cast<double>(bytes.word(5)) / 1000.0;
  main.setText("最高单体电压标签", wire::FormatThreeDecimals(values.highestCellVoltage) + "V");
  main.setText("最低单体电压标签", wire::FormatThreeDecimals(values.lowestCellVoltage) + "V");

  values.highestCellTemperature = SignedByte(bytes, 7);
  values.lowestCellTemperature = SignedByte(bytes, 8);
  main.setText("最高单体温度标签", std::to_string(values.highestCellTemperature));
  main.setText("最低单体温度标签", std::to_string(values.lowestCellTemperature));
}

void DecodeAlarmsAndTemperatures(forms::Form& main, RunValues& values, base::Alarms& alarms,
                                 std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  const std::int64_t faults = bytes.byte(1);
  const std::int64_t warnings = bytes.byte(2);
  for (std::size_t bit = 0; bit < alarms.faults.size(); ++bit) {
    alarms.faults[bit] = ((faults >> bit) & 1) != 0;
    alarms.warnings[bit] = ((warnings >> bit) & 1) != 0;
  }

  main.setText("管理器主机温度标签", wire::SignedByteToText(bytes.byteText(3)));
  main.setText("最高BIC温度显示标签", wire::SignedByteToText(bytes.byteText(4)));
  main.setText("最低BIC温度显示标签", wire::SignedByteToText(bytes.byteText(5)));
  main.setText("低压供电12V值显示标签", SupplyVoltageText(bytes.byte(8)));

  const std::int64_t estimate = bytes.word(6);
  values.estimatedMinutes = static_cast<int>(estimate & 0x3FFF);
  main.setText("充放电预计时间标签", EstimatedTimeText(estimate, base::IsEnglish(main)));
}

void DecodeFirmwareVersion(forms::Form& main, std::string_view data1) {
  main.setText("BMC主机版本显示", std::to_string(wire::HexToInteger(data1.substr(0, 8))));
}

void DecodeRemainingEnergy(forms::Form& main, std::string_view data1) {
  main.setText("剩余电量显示标签", wire::FormatThreeDecimals(FieldToFloat(data1)));
}

void DecodeExtremePositions(forms::Form& main, std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  main.setText("最高单体电压位置显示标签", Position(bytes, 1, "Cell"));
  main.setText("最低单体电压位置显示标签", Position(bytes, 3, "Cell"));
  main.setText("最高温度点位置显示标签", Position(bytes, 5, "Sensor"));
  main.setText("最低温度点位置显示标签", Position(bytes, 7, "Sensor"));
}

void DecodeBoardTemperaturePositions(forms::Form& main, std::string_view data1) {
  const wire::FrameBytes bytes(data1, {});
  main.setText("最高温度的BIC电路板显示标签", std::to_string(bytes.byte(1)) + "#BIC");
  main.setText("最低温度的BIC电路板显示标签", std::to_string(bytes.byte(2)) + "#BIC");
}

void RunMonitor::bind() {
  auto& main = context_.main();
  for (const ReadButton& read : kReadButtons) {
    main.bind(read.button, forms::Event::Click, [this, &read] {
      auto& form = context_.main();
      for (const auto label : read.labels) {
        if (!label.empty()) form.setText(label, "Wait");
      }
      link_.sendFrame(read.request, "FFFFFFFF", "FFFFFFFF");
    });
  }
}

void RegisterRunMonitorDecoders(Dispatcher& dispatcher, base::Context& context,
                                RunMonitor& monitor) {
  auto& c = context;
  auto& v = monitor.values();
  dispatcher.addExact("09A10001", [&c, &v](auto, auto d1, auto d2) {
    DecodeChargeAcceptance(c.main(), v, d1, d2);
  });
  dispatcher.addExact("09A10002", [&c, &v](auto, auto d1, auto d2) {
    DecodeDischargeCapability(c.main(), v, d1, d2);
  });
  dispatcher.addExact("09A10003", [&c, &v](auto, auto d1, auto d2) {
    DecodeCurrentVoltagePower(c.main(), v, d1, d2);
  });
  dispatcher.addExact("09A10004", [&c, &v](auto, auto d1, auto d2) {
    DecodeChargeStateAndCells(c.main(), v, d1, d2);
  });
  dispatcher.addExact("09A10005", [&c, &v](auto, auto d1, auto d2) {
    DecodeAlarmsAndTemperatures(c.main(), v, c.alarms, d1, d2);
  });
  dispatcher.addExact("09A10013",
                      [&c](auto, auto d1, auto) { DecodeFirmwareVersion(c.main(), d1); });
  dispatcher.addExact("09A10021",
                      [&c](auto, auto d1, auto) { DecodeRemainingEnergy(c.main(), d1); });
  dispatcher.addExact("09A10043",
                      [&c](auto, auto d1, auto d2) { DecodeExtremePositions(c.main(), d1, d2); });
  dispatcher.addExact("09A10045",
                      [&c](auto, auto d1, auto) { DecodeBoardTemperaturePositions(c.main(), d1); });
}

}  // namespace bms::monitor
