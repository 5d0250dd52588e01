#include "records/factory_window.h"

#include <cctype>
#include <cstdint>
#include <iterator>
#include <utility>

#include "params/validators.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"

namespace bms::records {

namespace {

using base::Window;
using Fields = std::pair<std::string, std::string>;  // data1, data2

constexpr std::string_view kNoData = "FFFFFFFF";
constexpr std::int64_t kDwordMax = 4294967295;
constexpr std::size_t kPrefixDigits = 6;
constexpr std::size_t kPartDigits = 3;

constexpr std::string_view kNumberParts[] = {"编号1至3位编辑框", "编号4至6位编辑框",
                                             "编号7至9位编辑框"};

// A whole count as data1: digits only and no more than the field holds, so that what
// reaches the BMC is exactly the number typed.
std::optional<std::string> CountField(std::string_view text) {
  const auto value = params::ValueUpTo(text, params::IsNonNegativeIntegerText, kDwordMax);
  if (!value) return std::nullopt;
  return wire::DwordToHex8(*value);
}

std::optional<Fields> BmcNumber(const forms::Form& form) {
  std::string number;
  for (const auto part : kNumberParts) {
    const auto text = form.text(part);
    if (text.size() != kPartDigits || !params::IsNonNegativeIntegerText(text)) {
      return std::nullopt;
    }
    number += text;
  }
  // A leading zero makes an eight-digit number, which the link refuses as a BMC number.
  if (number.front() == '0') return std::nullopt;
  return Fields{wire::DwordToHex8(*wire::DecimalTextToInteger(number)), std::string(kNoData)};
}

std::optional<Fields> WorkTime(const forms::Form& form) {
  const auto seconds = CountField(form.text("标定累计工作时间编辑框"));
  if (!seconds) return std::nullopt;
  return Fields{*seconds, std::string(kNoData)};
}

// Whole kWh in data1, the Wh below them as a single-precision number in data2, as the
// counters answer.
std::optional<Fields> Energy(const forms::Form& form, std::string_view kwhBox,
                             std::string_view whBox) {
  const auto kwh = CountField(form.text(kwhBox));
  const auto whText = form.text(whBox);
  // A negative Wh part would take back part of the kWh typed.
  if (!kwh || whText.starts_with('-')) return std::nullopt;
  const auto wh = params::FloatToHex8(whText);
  if (!wh) return std::nullopt;
  return Fields{*kwh, *wh};
}

std::optional<Fields> ChargeEnergy(const forms::Form& form) {
  return Energy(form, "标定累计充电电量整数编辑框", "标定累计充电电量浮点编辑框");
}

std::optional<Fields> DischargeEnergy(const forms::Form& form) {
  return Energy(form, "标定累计放电电量整数编辑框", "标定累计放电电量浮点编辑框");
}

// One calibrated value: its button, answer label, sub-command, the eighth character of
// its answer ID, and what the row's boxes make of data1 and data2.
struct Row {
  std::string_view button;
  std::string_view answerLabel;
  std::string_view subCommand;
  char answerKey;
  std::optional<Fields> (*fields)(const forms::Form&);
};

constexpr Row kRows[] = {
    {"标定BMC编号按钮", "标定BMC编号回应显示标签", "00", '1', BmcNumber},
    {"标定累计工作时间按钮", "标定累计工作时间回应显示标签", "02", '3', WorkTime},
    {"标定累计充电电量按钮", "标定累计充电电量回应显示标签", "04", '5', ChargeEnergy},
    {"标定累计放电电量按钮", "标定累计放电电量回应显示标签", "06", '7', DischargeEnergy},
};

constexpr std::size_t kAnswerKeyAt = 7;

}  // namespace

FactoryWindow::FactoryWindow(base::Context& context, link::LinkControl& link)
    : context_(context), link_(link) {}

void FactoryWindow::bind() {
  context_.main().bind("打开出厂标定功能按钮", forms::Event::Click, [this] { open(); });
}

void FactoryWindow::registerDecoders(monitor::Dispatcher& dispatcher) {
  dispatcher.addPrefix("09A130", [this](std::string_view id, std::string_view data1, auto) {
    auto* form = window();
    if (form == nullptr || id.size() <= kAnswerKeyAt) return;
    if (!wire::TextEquals(wire::FrameBytes(data1, {}).byteText(1), "AA")) return;
    for (const auto& row : kRows) {
      if (id[kAnswerKeyAt] == row.answerKey) form->setText(row.answerLabel, "Done");
    }
  });
}

void FactoryWindow::setIdPrefix(std::string_view markerText) {
  const auto first = markerText.find_first_not_of(" \t\r\n");
  const auto last = markerText.find_last_not_of(" \t\r\n");
  idPrefix_.reset();
  if (first == std::string_view::npos) return;
  const auto text = markerText.substr(first, last - first + 1);
  if (text.size() != kPrefixDigits || !wire::IsHexText(text)) return;
  idPrefix_.emplace();
  for (const char c : text) {
    idPrefix_->push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
}

forms::Form* FactoryWindow::window() { return context_.platform.findWindow(Window::Factory); }

void FactoryWindow::open() {
  auto& platform = context_.platform;
  if (window() != nullptr) {
    platform.openWindow(Window::Factory);  // brings it to the front
    return;
  }
  bindWindow(platform.openWindow(Window::Factory));
  base::CentreOnMain(platform, Window::Factory);
}

void FactoryWindow::bindWindow(forms::Form& form) {
  for (std::size_t row = 0; row < std::size(kRows); ++row) {
    form.bind(kRows[row].button, forms::Event::Click, [this, row] { calibrate(row); });
  }
}

void FactoryWindow::calibrate(std::size_t index) {
  const auto& row = kRows[index];
  auto& form = *window();
  const auto fields = idPrefix_ ? row.fields(form) : std::nullopt;
  if (!fields) {
    form.setText(row.answerLabel, "Error");
    context_.raiseError();
    return;
  }
  form.setText(row.answerLabel, "Wait");
  link_.sendFrame(*idPrefix_ + std::string(row.subCommand), fields->first, fields->second);
}

}  // namespace bms::records
