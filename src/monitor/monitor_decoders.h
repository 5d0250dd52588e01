#pragma once

#include "app/context.h"
#include "monitor/dispatcher.h"

namespace bms::monitor {

// The answers this folder decodes, one registration each.
void RegisterMonitorDecoders(Dispatcher& dispatcher, app::Context& context);

}  // namespace bms::monitor
