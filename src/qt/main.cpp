// bms-tool: the desktop application on real widgets.
#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/app.h"
#include "qt/qt_platform.h"
#include "service/update_query.h"

namespace {

constexpr std::string_view kOption = "--update-server";

void Refuse(const std::string& why) {
  std::fprintf(stderr, "bms-tool: %s\nusage: bms-tool [%s HOST[:PORT]]\n", why.c_str(),
               std::string(kOption).c_str());
}

// The update server the command line names, the built-in one if it names none; nothing
// (and the reason on stderr) for a command line that is not understood.
std::optional<bms::service::UpdateServer> UpdateServerFrom(int argc, char* argv[]) {
  bms::service::UpdateServer server;
  for (int n = 1; n < argc; ++n) {
    const std::string_view argument = argv[n];
    std::string_view value;
    if (argument == kOption && n + 1 < argc) {
      value = argv[++n];
    } else if (argument.starts_with(std::string(kOption) + "=")) {
      value = argument.substr(kOption.size() + 1);
    } else {
      Refuse(argument == kOption ? std::string(kOption) + " needs HOST or HOST:PORT"
                                 : "unknown argument '" + std::string(argument) + "'");
      return std::nullopt;
    }
    const auto parsed = bms::service::ParseUpdateServer(value);
    if (!parsed) {
      Refuse(std::string(kOption) + " wants HOST or HOST:PORT with a port from 1 to 65535, not '" +
             std::string(value) + "'");
      return std::nullopt;
    }
    server = *parsed;
  }
  return server;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Takes its own options out of argv first.
  QApplication application(argc, argv);
  const auto updateServer = UpdateServerFrom(argc, argv);
  if (!updateServer) return 2;
  bms::qt::QtPlatform platform;
  bms::app::App app(platform, *updateServer);
  app.start();
  return QApplication::exec();
}
