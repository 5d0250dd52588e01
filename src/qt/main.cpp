// bms-tool: the desktop application on real widgets.
#include <QApplication>

#include "app/app.h"
#include "qt/qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  bms::qt::QtPlatform platform;
  bms::app::App app(platform);
  app.start();
  return QApplication::exec();
}
