#include "testing/form_factories.h"

#include <stdexcept>

#include "testing/memory_form.h"

namespace bms::testing {

#ifdef BMS_HAS_QT
FakePlatform::FormFactory QtFormFactory();  // qt_form_factory.cpp
#endif

FakePlatform::FormFactory FormFactoryFor(Backend backend) {
  if (backend == Backend::Qt) {
#ifdef BMS_HAS_QT
    return QtFormFactory();
#else
    throw std::runtime_error("this build has no Qt: the Qt backend is not available");
#endif
  }
  return [](const forms::FormTable& table) { return std::make_unique<MemoryForm>(table); };
}

}  // namespace bms::testing
