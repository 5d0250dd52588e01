#pragma once

#include "app/platform.h"
#include "forms/form_table.h"

namespace bms::app {

const forms::FormTable& TableOf(Window window);

}  // namespace bms::app
