#include "monitor/monitor_decoders.h"

#include <string>

#include "link/hex_text.h"

namespace bms::monitor {

void RegisterMonitorDecoders(Dispatcher& dispatcher, app::Context& context) {
  dispatcher.addExact("09A10105", [&context](auto, std::string_view data1, auto) {
    context.main().setText("热敏电阻类型显示标签",
                           std::to_string(link::HexToInteger(data1.substr(0, 2))));
  });
}

}  // namespace bms::monitor
