#include "cli/open_link.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <string>

namespace bms::cli {

namespace {

void Say(const std::string& text) {
  std::fputs((text + "\n").c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace

std::unique_ptr<OpenLink> OpenLinkOf(const Options& options) {
  auto open = std::make_unique<OpenLink>();
  LineLink::Settings settings;
  settings.bmc = options.bmc;
  settings.password = options.password;
  if (options.link == LinkKind::Serial) {
    settings.mode = LineLink::Mode::Serial;
    const auto device = QDir::current().absoluteFilePath(QFile::decodeName(options.device.c_str()));
    if (!open->serialDir.isValid() ||
        !QFile::link(device, open->serialDir.filePath(QStringLiteral("COM1")))) {
      Say("cannot reach the serial device " + options.device);
      return nullptr;
    }
    open->serial = std::make_unique<qt::QtSerialPort>(open->serialDir.path().toStdString());
    wire::SerialSettings serial;  // 9600 8N2
    if (!open->serial->open(serial)) {
      Say("cannot open the serial device " + options.device);
      return nullptr;
    }
    open->link = std::make_unique<LineLink>(*open->serial, open->timer, settings);
    return open;
  }
  settings.mode = options.link == LinkKind::Relay ? LineLink::Mode::Relay : LineLink::Mode::Direct;
  open->tcp = std::make_unique<qt::QtTcpClient>();
  if (!open->tcp->connect(options.host, options.port)) {
    Say("cannot connect to " + options.host + ":" + std::to_string(options.port));
    return nullptr;
  }
  open->link = std::make_unique<LineLink>(*open->tcp, open->timer, settings);
  return open;
}

}  // namespace bms::cli
