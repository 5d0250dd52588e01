#include "records/counters.h"

#include <string>

#include "base/language.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::records {

namespace {

constexpr std::string_view kNoData = "FFFFFFFF";
constexpr std::string_view kConfirmationCode = "585";

enum class Unit { Seconds, KilowattHours };

struct Counter {
  std::string_view display;
  std::string_view readButton;
  std::string_view request;
  std::string_view answer;
  Unit unit;
};

constexpr Counter kCounters[] = {
    {"本次运行时间显示", "读本次运行时间按钮", "09A00022", "09A10023", Unit::Seconds},
    {"BMS累计运行时间显示", "读BMS累计运行时间按钮", "09A00024", "09A10025", Unit::Seconds},
    {"运行时间小计1显示", "读运行时间小计1按钮", "09A00026", "09A10027", Unit::Seconds},
    {"运行时间小计2显示", "读运行时间小计2按钮", "09A0002A", "09A1002B", Unit::Seconds},
    {"总累计充电电量显示", "读总累计充电电量按钮", "09A0002E", "09A1002F", Unit::KilowattHours},
    {"充电电量小计1显示", "读充电电量小计1按钮", "09A00030", "09A10031", Unit::KilowattHours},
    {"充电电量小计2显示", "读充电电量小计2按钮", "09A00034", "09A10035", Unit::KilowattHours},
    {"总累计放电电量显示", "读总累计放电电量按钮", "09A00038", "09A10039", Unit::KilowattHours},
    {"放电电量小计1显示", "读放电电量小计1按钮", "09A0003A", "09A1003B", Unit::KilowattHours},
    {"放电电量小计2显示", "读放电电量小计2按钮", "09A0003E", "09A1003F", Unit::KilowattHours},
};

// The subtotals that the user may clear; the acknowledgement lands in the subtotal's own
// display.
struct Subtotal {
  std::string_view display;
  std::string_view codeBox;
  std::string_view clearButton;
  std::string_view request;
  std::string_view acknowledgement;
};

constexpr Subtotal kSubtotals[] = {
    {"运行时间小计1显示", "清时间小计1确认码编辑框", "清时间小计1按钮", "09A00028", "09A10029"},
    {"运行时间小计2显示", "清时间小计2确认码编辑框", "清时间小计2按钮", "09A0002C", "09A1002D"},
    {"充电电量小计1显示", "清充电电量小计1确认码编辑框", "清充电电量小计1按钮", "09A00032",
     "09A10033"},
    {"充电电量小计2显示", "清充电电量小计2确认码编辑框", "清充电电量小计2按钮", "09A00036",
     "09A10037"},
    {"放电电量小计1显示", "清放电电量小计1确认码编辑框", "清放电电量小计1按钮", "09A0003C",
     "09A1003D"},
    {"放电电量小计2显示", "清放电电量小计2确认码编辑框", "清放电电量小计2按钮", "09A00040",
     "09A10041"},
};

// Seconds are a plain count; energy is whole kWh in data1 plus the Wh not yet making up a
// kWh as a single-precision number in data2.
std::string CounterText(Unit unit, std::string_view data1, std::string_view data2) {
  const auto whole = wire::HexToInteger(data1);
  if (unit == Unit::Seconds) return std::to_string(whole);
  return wire::FormatThreeDecimals(static_cast<double>(whole) + wire::HexToFloat(data2) / 1000.0);
}

}  // namespace

Counters::Counters(base::Context& context, link::LinkControl& link)
    : context_(context), link_(link) {}

void Counters::bind() {
  auto& main = context_.main();
  for (const auto& counter : kCounters) {
    main.bind(counter.readButton, forms::Event::Click,
              [this, &counter] { send(counter.display, counter.request); });
  }
  for (const auto& subtotal : kSubtotals) {
    main.bind(subtotal.clearButton, forms::Event::Click,
              [this, &subtotal] { clear(subtotal.codeBox, subtotal.display, subtotal.request); });
  }
}

void Counters::registerDecoders(monitor::Dispatcher& dispatcher) {
  for (const auto& counter : kCounters) {
    dispatcher.addExact(counter.answer, [this, &counter](auto, auto data1, auto data2) {
      context_.main().setText(counter.display, CounterText(counter.unit, data1, data2));
    });
  }
  for (const auto& subtotal : kSubtotals) {
    dispatcher.addExact(subtotal.acknowledgement, [this, &subtotal](auto, auto data1, auto) {
      if (wire::TextEquals(wire::FrameBytes(data1, {}).byteText(1), "AA")) {
        context_.main().setText(subtotal.display, "Done");
      }
    });
  }
}

// A cleared subtotal cannot be had back: only the exact code, typed on purpose, clears it.
void Counters::clear(std::string_view codeBox, std::string_view display, std::string_view request) {
  auto& main = context_.main();
  if (!wire::TextEquals(main.text(codeBox), kConfirmationCode)) {
    context_.raiseError();
    context_.log.received(base::IsEnglish(main) ? "Please enter the correct confirmation code"
                                                : "请输入正确的确认码");
    return;
  }
  main.setText(codeBox, "");
  send(display, request);
}

void Counters::send(std::string_view display, std::string_view request) {
  context_.main().setText(display, "Wait");
  link_.sendFrame(request, kNoData, kNoData);
}

}  // namespace bms::records
