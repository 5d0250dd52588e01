#pragma once

#include "base/context.h"
#include "monitor/dispatcher.h"

namespace bms::monitor {

// The answers this folder decodes, one registration each.
void RegisterMonitorDecoders(Dispatcher& dispatcher, base::Context& context);

}  // namespace bms::monitor
