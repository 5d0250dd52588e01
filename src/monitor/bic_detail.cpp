#include "monitor/bic_detail.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/context.h"
#include "forms/colours.h"
#include "monitor/bic_display.h"
#include "monitor/dispatcher.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::monitor {

namespace {

using forms::colours::kBlack;

// One byte as a two's-complement signed 8-bit number, the same rule as SignedByteToText.
int SignedByte(const wire::FrameBytes& bytes, int n) {
  const auto v = bytes.byte(n);
  return (v & 0x80) != 0 ? -static_cast<int>(128 - (v & 127)) : static_cast<int>(v);
}

void ShowPlannedBic(forms::Form& main, const base::BicState& detail) {
  main.setText("计划读取的BIC编号标签", std::to_string(detail.plannedBic));
}

void SetNavigationEnabled(forms::Form& main, bool enabled) {
  main.setEnabled("上一个BIC按钮", enabled);
  main.setEnabled("下一个BIC按钮", enabled);
}

// Kind 1: which BIC answered, its cell and sensor counts, balancing and board temperature.
void DecodeBicSummary(forms::Form& main, base::BicState& detail, std::string_view id,
                      const wire::FrameBytes& bytes) {
  const auto bic = id.size() >= 2 ? id.substr(id.size() - 2) : id;
  main.setText("实时返回的BIC编号标签", std::to_string(wire::HexToInteger(bic)));
  detail.cellsOnBic = static_cast<int>(bytes.byte(1));
  detail.sensorsOnBic = static_cast<int>(bytes.byte(2));
  ShowBalancing(main, detail, static_cast<std::uint32_t>(bytes.word(3)));
  main.setText("实时返回的BIC电路温度标签", wire::SignedByteToText(bytes.byteText(5)));
}

// Kinds 2 to 5: four 16-bit cell voltages in mV, high byte first.
void DecodeCellVoltages(forms::Form& main, base::BicState& detail, int kind,
                        const wire::FrameBytes& bytes) {
  auto cell = detail.cellMillivolts.begin() + 4 * (kind - 2);
  for (int n : {1, 3, 5, 7}) *cell++ = static_cast<int>(bytes.word(n));
  ShowCellVoltages(main, detail);
}

// Kinds 6 and 7: four signed temperatures in °C, in bytes 1, 3, 5 and 7.
void DecodeTemperatures(forms::Form& main, base::BicState& detail, int kind,
                        const wire::FrameBytes& bytes) {
  auto sensor = detail.temperatures.begin() + 4 * (kind - 6);
  for (int n : {1, 3, 5, 7}) *sensor++ = SignedByte(bytes, n);
  ShowTemperatures(main, detail);
}

}  // namespace

void ResetBicNavigation(forms::Form& main, base::BicState& detail) {
  SetNavigationEnabled(main, false);
  detail.plannedBic = 1;
  main.setEnabled("读取单体信息选择框", false);
  main.setChecked("读取单体信息选择框", false);
}

void ClearBicDetailView(forms::Form& main, base::BicState& detail) {
  main.setText("计划读取的BIC编号标签", "*");
  main.setText("实时返回的BIC编号标签", "*");
  main.setText("实时返回的BIC电路温度标签", "*");
  detail.clearValues();
  for (int n = 1; n <= static_cast<int>(detail.cellMillivolts.size()); ++n) {
    main.setText(CellVoltageLabel(n), "*");
    main.setBackground(CellVoltageLabel(n), kCellBackground);
    main.setText(CellBalanceLabel(n), "*");
    main.setBackground(CellBalanceLabel(n), kCellBackground);
    main.setTextColor(CellBalanceLabel(n), kBlack);
  }
  for (int n = 1; n <= static_cast<int>(detail.temperatures.size()); ++n) {
    main.setText(TemperatureLabel(n), "*");
    main.setBackground(TemperatureLabel(n), kTemperatureBackground);
  }
}

void DecodeInstalledBicCount(forms::Form& main, base::BicState& detail, std::string_view data1) {
  detail.installedCount = static_cast<int>(wire::FrameBytes(data1, {}).byte(1));
  detail.countKnown = true;
  const auto count = std::to_string(detail.installedCount);
  main.setText("参数标定界面安装BIC数量显示标签", count);
  main.setText("监视界面的安装BIC数量显示标签", count);
  main.setEnabled("读取单体信息选择框", true);
}

void DecodeInstalledBicCountSaved(base::Context& context, std::string_view data1) {
  // Compared as text: a lower-case "aa" is not an acknowledgement.
  const bool saved = wire::TextEquals(wire::FrameBytes(data1, {}).byteText(1), "AA");
  context.main().setText("参数标定界面安装BIC数量显示标签", saved ? "Done" : "Error");
  if (!saved) context.raiseError();
}

void OnReadCellInfoToggled(forms::Form& main, base::BicState& detail) {
  if (main.checked("读取单体信息选择框")) {
    ShowPlannedBic(main, detail);
    SetNavigationEnabled(main, true);
  } else {
    ClearBicDetailView(main, detail);
    SetNavigationEnabled(main, false);
    detail.plannedBic = 1;
  }
}

void PreviousBic(forms::Form& main, base::BicState& detail) {
  detail.plannedBic = std::max(detail.plannedBic - 1, 1);
  ShowPlannedBic(main, detail);
}

void NextBic(forms::Form& main, base::BicState& detail) {
  // No clamp from below: with no BIC installed the planned number becomes 0.
  detail.plannedBic = std::min(detail.plannedBic + 1, detail.installedCount);
  ShowPlannedBic(main, detail);
}

void DecodeCellDetailFrame(forms::Form& main, base::BicState& detail, int kind, std::string_view id,
                           std::string_view data1, std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  if (kind == 1) {
    DecodeBicSummary(main, detail, id, bytes);
  } else if (kind >= 2 && kind <= 5) {
    DecodeCellVoltages(main, detail, kind, bytes);
  } else if (kind == 6 || kind == 7) {
    DecodeTemperatures(main, detail, kind, bytes);
  }
}

void RegisterBicDetailDecoders(Dispatcher& dispatcher, base::Context& context) {
  dispatcher.addExact("09A10101", [&context](auto, std::string_view data1, auto) {
    DecodeInstalledBicCount(context.main(), context.bic, data1);
  });
  dispatcher.addExact("09A10103", [&context](auto, std::string_view data1, auto) {
    DecodeInstalledBicCountSaved(context, data1);
  });
  dispatcher.setCellDetailDecoder(
      [&context](int kind, std::string_view id, std::string_view data1, std::string_view data2) {
        DecodeCellDetailFrame(context.main(), context.bic, kind, id, data1, data2);
      });
}

void BindBicNavigation(base::Context& context) {
  auto& main = context.main();
  main.bind("读取单体信息选择框", forms::Event::Click,
            [&context] { OnReadCellInfoToggled(context.main(), context.bic); });
  main.bind("上一个BIC按钮", forms::Event::Click,
            [&context] { PreviousBic(context.main(), context.bic); });
  main.bind("下一个BIC按钮", forms::Event::Click,
            [&context] { NextBic(context.main(), context.bic); });
}

}  // namespace bms::monitor
