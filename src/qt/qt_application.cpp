#include "qt/qt_application.h"

#include <QApplication>
#include <QtGlobal>
#include <stdexcept>

namespace bms::qt {

QApplication& EnsureApplication() {
  if (auto* existing = QCoreApplication::instance()) {
    auto* application = qobject_cast<QApplication*>(existing);
    if (application == nullptr) {
      throw std::logic_error("widgets need a QApplication, and another kind already exists");
    }
    return *application;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // QApplication keeps references to both for its whole life.
  static int argc = 1;
  static char name[] = "bms-tool";
  static char* argv[] = {name, nullptr};
  return *new QApplication(argc, argv);
}

}  // namespace bms::qt
