#pragma once

#include "testing/driver.h"
#include "testing/fake_platform.h"

namespace bms::testing {

// Makes windows in memory, or as real Qt widgets (only in builds with Qt; elsewhere
// asking for Qt throws std::runtime_error).
FakePlatform::FormFactory FormFactoryFor(Backend backend);

}  // namespace bms::testing
