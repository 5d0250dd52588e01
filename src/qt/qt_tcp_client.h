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

  // A client that connects in the background does not wait at all: connect() starts the
  // attempt and reports false; the client counts as connected once the peer accepted,
  // within the bound. For a side channel whose outcome nobody waits for.
  enum class Connecting { Waits, InBackground };

  explicit QtTcpClient(std::chrono::milliseconds connectBound = kConnectBound,
                       Connecting connecting = Connecting::Waits);
  ~QtTcpClient() override;
  QtTcpClient(const QtTcpClient&) = delete;
  QtTcpClient& operator=(const QtTcpClient&) = delete;

  bool connect(std::string_view host, int port) override;
  bool isConnected() const override { return socket_ != nullptr; }
  void send(std::string_view bytes) override;
  void close() override;

 private:
  void connectInBackground(std::string_view host, int port);
  void adopt(QTcpSocket* socket);
  void deliver();
  void deliverBlock();
  void lost(QTcpSocket* socket);

  std::chrono::milliseconds connectBound_;
  Connecting connecting_;
  // Parent of every socket, the open one and those still closing.
  QObject sockets_;
  // Context of every connection to this client; declared after sockets_ so that it goes
  // first and a socket dying with the client calls nothing here.
  QObject receiver_;
  QTcpSocket* socket_ = nullptr;
  QTcpSocket* pending_ = nullptr;  // connecting in the background
  // The rest of the open socket's bytes is on its way in a posted event.
  bool handingOn_ = false;
};

}  // namespace bms::qt
