#pragma once

#include "base/platform.h"
#include "forms/form_table.h"

namespace bms::base {

const forms::FormTable& TableOf(Window window);

}  // namespace bms::base
