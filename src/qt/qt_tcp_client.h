#pragma once

#include <QObject>
#include <chrono>
#include <string_view>

#include "wire/transport.h"

class QTcpSocket;

namespace bms::qt {

// A TCP client on QTcpSocket.
// connect() blocks the calling thread without running its event loop, so no other handler
// runs in between, and gives up after the connect bound, host name lookup included: an
// unreachable address or a silent name server must not freeze the tool for long.
// close() lets bytes already sent go out first; it never reports onClosed.
class QtTcpClient : public wire::TcpClient {
 public:
  static constexpr std::chrono::milliseconds kConnectBound{3000};

  explicit QtTcpClient(std::chrono::milliseconds connectBound = kConnectBound);
  ~QtTcpClient() override;
  QtTcpClient(const QtTcpClient&) = delete;
  QtTcpClient& operator=(const QtTcpClient&) = delete;

  bool connect(std::string_view host, int port) override;
  bool isConnected() const override { return socket_ != nullptr; }
  void send(std::string_view bytes) override;
  void close() override;

 private:
  void adopt(QTcpSocket* socket);
  void deliver();
  void deliverBlock();
  void lost(QTcpSocket* socket);

  std::chrono::milliseconds connectBound_;
  // Parent of every socket, the open one and those still closing.
  QObject sockets_;
  // Context of every connection to this client; declared after sockets_ so that it goes
  // first and a socket dying with the client calls nothing here.
  QObject receiver_;
  QTcpSocket* socket_ = nullptr;
  // The rest of the open socket's bytes is on its way in a posted event.
  bool handingOn_ = false;
};

}  // namespace bms::qt
