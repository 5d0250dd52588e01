#pragma once

#include <QTemporaryDir>
#include <memory>

#include "cli/arguments.h"
#include "cli/line_link.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "qt/qt_timer.h"

namespace bms::cli {

// The transport of the command line's LINK with its LineLink on top, not yet started.
struct OpenLink {
  // The serial port opens COMn through an entry of that name in its directory; a private
  // directory with COM1 leading to the device gives it any device path.
  QTemporaryDir serialDir;
  std::unique_ptr<qt::QtTcpClient> tcp;
  std::unique_ptr<qt::QtSerialPort> serial;
  qt::QtTimer timer{"link"};
  std::unique_ptr<LineLink> link;
};

// Nothing, with the reason on standard error, when the transport cannot be opened.
std::unique_ptr<OpenLink> OpenLinkOf(const Options& options);

}  // namespace bms::cli
