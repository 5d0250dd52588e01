#include "qt/qt_tcp_client.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkProxy>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

namespace bms::qt {

namespace {

// At most this much is handed on per event, the rest in the next events: a flood must
// not hold timers, painting and the user off for long.
constexpr qint64 kBlockBytes = 16 * 1024;

// What has not been handed on yet is held to this; the rest waits in the system's
// buffers, so that a peer sending faster than the tool takes is slowed down by TCP
// instead of growing the tool's memory.
constexpr qint64 kReadBufferBytes = 16 * kBlockBytes;

using Clock = std::chrono::steady_clock;

// How long a closed connection may take to hand over the bytes still waiting to be sent.
constexpr int kLingerMs = 10000;

// The addresses of host, in the resolver's order; none when the lookup fails or outlasts
// the deadline. A name server that does not answer must not hold the user interface, so
// the lookup runs on a thread of its own that is left to finish alone when time is up.
// It calls the C library only: a late result must not touch Qt while the program ends.
QList<QHostAddress> Resolve(const QString& host, Clock::time_point deadline) {
  QHostAddress literal;
  if (literal.setAddress(host)) return {literal};
  const QByteArray name = QUrl::toAce(host);
  if (name.isEmpty()) return {};

  struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    QList<QHostAddress> addresses;
  };
  auto lookup = std::make_shared<Lookup>();
  try {
    std::thread([lookup, name = name.toStdString()] {
      addrinfo hints{};
      hints.ai_family = AF_UNSPEC;
      hints.ai_socktype = SOCK_STREAM;
      addrinfo* results = nullptr;
      QList<QHostAddress> addresses;
      if (::getaddrinfo(name.c_str(), nullptr, &hints, &results) == 0) {
        for (const addrinfo* result = results; result != nullptr; result = result->ai_next) {
          const QHostAddress address(result->ai_addr);
          if (!address.isNull() && !addresses.contains(address)) addresses.append(address);
        }
        ::freeaddrinfo(results);
      }
      const std::lock_guard lock(lookup->mutex);
      lookup->addresses = std::move(addresses);
      lookup->finished = true;
      lookup->done.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return {};
  }
  std::unique_lock lock(lookup->mutex);
  if (!lookup->done.wait_until(lock, deadline, [&] { return lookup->finished; })) return {};
  return lookup->addresses;
}

}  // namespace

QtTcpClient::QtTcpClient(std::chrono::milliseconds connectBound, Connecting connecting)
    : connectBound_(connectBound), connecting_(connecting) {}

QtTcpClient::~QtTcpClient() = default;

bool QtTcpClient::connect(std::string_view host, int port) {
  close();
  if (port <= 0 || port > 65535) return false;
  if (connecting_ == Connecting::InBackground) {
    connectInBackground(host, port);
    return false;
  }
  const auto deadline = Clock::now() + connectBound_;
  const auto addresses =
      Resolve(QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())), deadline);
  // A name may stand for several addresses ("localhost": ::1 and 127.0.0.1); the first
  // that answers within the bound wins.
  for (const auto& address : addresses) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    auto* socket = new QTcpSocket(&sockets_);
    socket->setProxy(QNetworkProxy::NoProxy);
    socket->connectToHost(address, static_cast<quint16>(port));
    if (socket->waitForConnected(static_cast<int>(left))) {
      adopt(socket);
      return true;
    }
    delete socket;
  }
  return false;
}

void QtTcpClient::connectInBackground(std::string_view host, int port) {
  auto* socket = new QTcpSocket(&sockets_);
  pending_ = socket;
  socket->setProxy(QNetworkProxy::NoProxy);
  const auto giveUp = [this, socket] {
    if (socket != pending_) return;
    pending_ = nullptr;
    QObject::disconnect(socket, nullptr, &receiver_, nullptr);
    socket->abort();
    socket->deleteLater();
  };
  QObject::connect(socket, &QTcpSocket::connected, &receiver_, [this, socket] {
    if (socket != pending_) return;
    pending_ = nullptr;
    QObject::disconnect(socket, nullptr, &receiver_, nullptr);
    adopt(socket);
  });
  QObject::connect(socket, &QTcpSocket::errorOccurred, &receiver_,
                   [giveUp](QAbstractSocket::SocketError) { giveUp(); });
  QTimer::singleShot(connectBound_, &receiver_, giveUp);
  // The name is looked up and the connection made by the event loop, never here.
  socket->connectToHost(QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())),
                        static_cast<quint16>(port));
}

void QtTcpClient::adopt(QTcpSocket* socket) {
  socket_ = socket;
  handingOn_ = false;
  socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  socket->setReadBufferSize(kReadBufferBytes);
  // While the rest of a burst is being handed on, new bytes join it: delivering them
  // here as well would start a second chain of events, and every further arrival one
  // more, until each pass of the event loop carries many blocks and timers starve.
  QObject::connect(socket, &QTcpSocket::readyRead, &receiver_, [this, socket] {
    if (socket == socket_ && !handingOn_) deliver();
  });
  QObject::connect(socket, &QTcpSocket::disconnected, &receiver_, [this, socket] { lost(socket); });
  QObject::connect(socket, &QTcpSocket::errorOccurred, &receiver_,
                   [this, socket](QAbstractSocket::SocketError) {
                     if (socket->state() == QAbstractSocket::UnconnectedState) lost(socket);
                   });
}

void QtTcpClient::send(std::string_view bytes) {
  if (socket_) socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtTcpClient::close() {
  if (auto* pending = std::exchange(pending_, nullptr)) {
    QObject::disconnect(pending, nullptr, &receiver_, nullptr);
    pending->abort();
    pending->deleteLater();
  }
  auto* socket = std::exchange(socket_, nullptr);
  if (!socket) return;
  QObject::disconnect(socket, nullptr, &receiver_, nullptr);
  // The bytes still waiting go out before the connection ends; then the socket goes.
  QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
  QTimer::singleShot(kLingerMs, socket, [socket] { socket->abort(); });
  socket->disconnectFromHost();
  if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
}

void QtTcpClient::deliver() {
  deliverBlock();
  auto* socket = socket_;
  if (socket == nullptr || handingOn_ || socket->bytesAvailable() == 0) return;
  handingOn_ = true;
  // A posted event: Qt lets due timers run after each pass over posted events.
  QTimer::singleShot(0, socket, [this, socket] {
    if (socket != socket_) return;
    handingOn_ = false;
    deliver();
  });
}

void QtTcpClient::deliverBlock() {
  const QByteArray data = socket_->read(kBlockBytes);
  const auto handler = onData;
  if (!data.isEmpty() && handler) {
    handler(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
  }
}

void QtTcpClient::lost(QTcpSocket* socket) {
  if (socket != socket_) return;
  // What arrived before the end still counts.
  while (socket == socket_ && socket->bytesAvailable() > 0) deliverBlock();
  if (socket != socket_) return;  // a data handler closed the connection itself
  socket_ = nullptr;
  QObject::disconnect(socket, nullptr, &receiver_, nullptr);
  socket->deleteLater();
  const auto closed = onClosed;
  if (closed) closed();
}

}  // namespace bms::qt
