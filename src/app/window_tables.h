#pragma once

#include "app/platform.h"
#include "forms/control_spec.h"

namespace bms::app {

const forms::FormTable& TableOf(Window window);

}  // namespace bms::app
