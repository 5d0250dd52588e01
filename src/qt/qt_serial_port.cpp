#include "qt/qt_serial_port.h"

#include <QByteArray>
#include <QFile>
#include <QMetaObject>
#include <QString>
#include <system_error>
#include <utility>

#include "wire/serial_device_map.h"

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/file.h>
#endif

namespace bms::qt {

namespace {

QString PortName(int port, const std::filesystem::path& programDir) {
#ifdef Q_OS_WIN
  (void)programDir;
  return QStringLiteral("COM%1").arg(port < 1 ? 1 : port);
#else
  auto device = wire::SerialDevicePath(port, programDir);
  std::error_code error;
  auto absolute = std::filesystem::absolute(device, error);
  // Qt reads a name that does not start with "/" as relative to /dev.
  return QFile::decodeName(QByteArray((error ? device : absolute).c_str()));
#endif
}

// Qt's own guards (TIOCEXCL and a lock file named after the path) let root through, and
// anyone who reaches the same device under another name (a COMn link); a lock on the open
// device holds for both.
bool LockExclusively([[maybe_unused]] qintptr handle) {
#ifdef Q_OS_UNIX
  return ::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0;
#else
  return true;
#endif
}

// An unplugged adapter or a closed pseudo-terminal master leaves the device hung up; Qt
// then often reports only a read error, with a stale reason.
bool HungUp([[maybe_unused]] qintptr handle) {
#ifdef Q_OS_UNIX
  pollfd probe{static_cast<int>(handle), POLLIN, 0};
  return ::poll(&probe, 1, 0) > 0 && (probe.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
  return false;
#endif
}

}  // namespace

QtSerialPort::QtSerialPort(std::filesystem::path programDir) : programDir_(std::move(programDir)) {
  QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { deliver(); });
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                   [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialPort::~QtSerialPort() { close(); }

bool QtSerialPort::open(const wire::SerialSettings& settings) {
  close();
  const bool supported = settings.baud > 0 && settings.dataBits >= 5 && settings.dataBits <= 8 &&
                         (settings.stopBits == 1 || settings.stopBits == 2);
  if (!supported) return false;

  port_.setPortName(PortName(settings.port, programDir_));
  port_.setBaudRate(settings.baud);
  port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
  port_.setParity(settings.parity ? QSerialPort::EvenParity : QSerialPort::NoParity);
  port_.setStopBits(settings.stopBits == 1 ? QSerialPort::OneStop : QSerialPort::TwoStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!port_.open(QIODevice::ReadWrite)) return false;
  if (!LockExclusively(port_.handle())) {
    close();
    return false;
  }
  return true;
}

bool QtSerialPort::isOpen() const { return port_.isOpen(); }

void QtSerialPort::write(std::string_view bytes) {
  if (port_.isOpen()) port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string QtSerialPort::deviceText([[maybe_unused]] int port) const {
#ifdef Q_OS_WIN
  return "";
#else
  return wire::SerialDeviceText(port, programDir_);
#endif
}

void QtSerialPort::close() {
  ++session_;
  lossPending_ = false;
  if (port_.isOpen()) port_.close();
}

void QtSerialPort::deliver() {
  const QByteArray bytes = port_.readAll();
  const auto handler = onByte;
  if (!handler) return;
  const auto session = session_;
  for (const char byte : bytes) {
    if (session != session_) return;  // a handler closed the port: the rest is not ours
    handler(static_cast<std::uint8_t>(byte));
  }
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
  if (!port_.isOpen() || lossPending_) return;
  if (error != QSerialPort::ResourceError && !HungUp(port_.handle())) return;
  lossPending_ = true;
  // Closing from inside QSerialPort's own notification is not safe; close once it returns.
  QMetaObject::invokeMethod(
      &port_,
      [this, session = session_] {
        if (session != session_) return;  // closed or reopened meanwhile
        close();
        const auto lost = onLost;
        if (lost) lost();
      },
      Qt::QueuedConnection);
}

}  // namespace bms::qt
