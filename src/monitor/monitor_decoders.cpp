#include "monitor/monitor_decoders.h"

#include <string>

#include "wire/hex_text.h"

namespace bms::monitor {

void RegisterMonitorDecoders(Dispatcher& dispatcher, base::Context& context) {
  dispatcher.addExact("09A10105", [&context](auto, std::string_view data1, auto) {
    context.main().setText("热敏电阻类型显示标签",
                           std::to_string(wire::HexToInteger(data1.substr(0, 2))));
  });
}

}  // namespace bms::monitor
