#include "qt/qt_application.h"
#include "qt/qt_form.h"
#include "testing/fake_platform.h"

namespace bms::testing {

FakePlatform::FormFactory QtFormFactory() {
  qt::EnsureApplication();
  return [](const forms::FormTable& table) { return std::make_unique<qt::QtForm>(table); };
}

}  // namespace bms::testing
