#include "qt/qt_tcp_client.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "qt/qt_application.h"
#include "qt/qt_platform_wait.h"

namespace bms::qt {
namespace {

class QtTcpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    port = server.serverPort();
    client.onData = [this](std::string_view bytes) { log += bytes; };
    client.onClosed = [this] { log += "|closed"; };
  }

  // A loopback port where nothing listens any more.
  static int ClosedPort() {
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    return closed.serverPort();
  }

  // Connects the client; the server's side of the connection, or nullptr.
  QTcpSocket* connectClient() {
    if (!client.connect("127.0.0.1", port)) return nullptr;
    if (!ProcessEventsUntil([&] { return server.hasPendingConnections(); })) return nullptr;
    return server.nextPendingConnection();
  }

  QTcpServer server;
  int port = 0;
  QtTcpClient client;
  std::string log;  // received bytes, and "|closed" for each onClosed
};

TEST_F(QtTcpClientTest, ThePeerClosingIsReportedOnceAfterItsLastBytes) {
  QTcpSocket* peer = connectClient();
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(client.isConnected());
  peer->write("bye");
  peer->disconnectFromHost();
  ASSERT_TRUE(ProcessEventsUntil([&] { return log.ends_with("|closed"); }));
  ProcessEventsFor(50);
  EXPECT_EQ(log, "bye|closed");
  EXPECT_FALSE(client.isConnected());
  client.send("into the void");
  EXPECT_NE(connectClient(), nullptr);
}

TEST_F(QtTcpClientTest, ClosingDeliversWhatWasSentAndIsNotReported) {
  QTcpSocket* peer = connectClient();
  ASSERT_NE(peer, nullptr);

  client.send("T,05F5E100,5,\r\n");
  client.close();
  EXPECT_FALSE(client.isConnected());
  ASSERT_TRUE(
      ProcessEventsUntil([&] { return peer->state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(peer->readAll().toStdString(), "T,05F5E100,5,\r\n");
  ProcessEventsFor(50);
  EXPECT_EQ(log, "");
}

TEST_F(QtTcpClientTest, AHandlerMayCloseTheConnection) {
  client.onData = [this](std::string_view bytes) {
    log += bytes;
    client.close();
  };
  QTcpSocket* peer = connectClient();
  ASSERT_NE(peer, nullptr);
  peer->write("1");
  peer->disconnectFromHost();
  ASSERT_TRUE(ProcessEventsUntil([&] { return !log.empty(); }));
  ProcessEventsFor(50);
  EXPECT_EQ(log, "1");
}

// A flood arrives whole and in order, at most a share per handler call and one handler
// call per pass of the event loop, however often more bytes arrive meanwhile: timers and
// painting get their turn between shares.
TEST_F(QtTcpClientTest, AFloodIsHandedOnAShareAtATime) {
  QTcpSocket* peer = connectClient();
  ASSERT_NE(peer, nullptr);
  std::string flood;
  for (int i = 0; flood.size() < 2 * 1024 * 1024; ++i) {
    flood += "T,05F5E100,7,09A10003," + std::to_string(i) + ",FFFFFFFF,\r\n";
  }
  // More than a share arrives while each share is handed on.
  constexpr std::size_t kPiece = 20 * 1024;
  std::size_t written = 0;
  const auto writePiece = [&] {
    const std::size_t piece = std::min(kPiece, flood.size() - written);
    peer->write(flood.data() + written, static_cast<qint64>(piece));
    peer->flush();
    written += piece;
  };
  std::size_t largest = 0;
  int callsThisPass = 0;
  int mostCallsInAPass = 0;
  bool passMarked = false;
  QObject passes;
  const auto newPass = [&] {
    passMarked = false;
    callsThisPass = 0;
  };
  client.onData = [&](std::string_view bytes) {
    log += bytes;
    largest = std::max(largest, bytes.size());
    mostCallsInAPass = std::max(mostCallsInAPass, ++callsThisPass);
    // Runs in the next pass over posted events, ahead of what this pass posts later.
    if (!std::exchange(passMarked, true)) {
      QMetaObject::invokeMethod(&passes, newPass, Qt::QueuedConnection);
    }
    if (written < flood.size()) writePiece();
  };
  writePiece();
  ASSERT_TRUE(ProcessEventsUntil([&] { return log.size() >= flood.size(); }));
  EXPECT_TRUE(log == flood) << "bytes lost or reordered";
  EXPECT_LE(largest, 16U * 1024U);
  // A call for newly arrived bytes may come beside the one that goes on with the bytes
  // before them; more means that arrivals started chains of their own.
  EXPECT_LE(mostCallsInAPass, 2);
}

// More than the client holds at a time waits in the system's buffers, and the close
// behind it is seen only once the client has taken the rest.
TEST_F(QtTcpClientTest, AFloodSentAtOnceArrivesWholeBeforeThePeerClosing) {
  QTcpSocket* peer = connectClient();
  ASSERT_NE(peer, nullptr);
  std::string flood;
  for (int i = 0; flood.size() < 4 * 1024 * 1024; ++i) flood += std::to_string(i) + ",\r\n";
  peer->write(flood.data(), static_cast<qint64>(flood.size()));
  peer->disconnectFromHost();
  ASSERT_TRUE(ProcessEventsUntil([&] { return log.ends_with("|closed"); }));
  EXPECT_TRUE(log == flood + "|closed") << "bytes lost or reordered";
  EXPECT_FALSE(client.isConnected());
}

TEST_F(QtTcpClientTest, BadEndpointsFailAndAHostNameIsLookedUp) {
  const std::pair<std::string, int> endpoints[] = {
      {"127.0.0.1", ClosedPort()}, {"127.0.0.1", 0},      {"127.0.0.1", -1},
      {"127.0.0.1", 65536 + port}, {"127.0.0.1", 100000}, {"", port}};
  for (const auto& [host, to] : endpoints) {
    EXPECT_FALSE(client.connect(host, to)) << host << ":" << to;
    EXPECT_FALSE(client.isConnected());
  }
  ProcessEventsFor(20);
  EXPECT_FALSE(server.hasPendingConnections()) << "65536 + port must not wrap around to port";
  EXPECT_TRUE(client.connect("localhost", port));
}

TEST_F(QtTcpClientTest, AConnectThatHangsGivesUpAtTheBound) {
  // A listener whose queue of unaccepted connections is full drops further attempts
  // silently, as an unreachable host does.
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(listen(listener, 0), 0);
  ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
  std::vector<int> fillers;
  for (bool full = false; !full && fillers.size() < 16;) {
    const int filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    fillers.push_back(filler);
    connect(filler, reinterpret_cast<sockaddr*>(&address), length);
    pollfd ready{filler, POLLOUT, 0};
    full = poll(&ready, 1, 200) == 0;
  }

  QtTcpClient bounded(std::chrono::milliseconds(200));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(bounded.connect("127.0.0.1", ntohs(address.sin_port)));
  // Far above the bound, far below the system's own timeout for a connection attempt.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(bounded.isConnected());
  for (int filler : fillers) ::close(filler);
  ::close(listener);
}

TEST_F(QtTcpClientTest, ABackgroundConnectReturnsAtOnceAndCompletesInTheEventLoop) {
  QtTcpClient background(QtTcpClient::kConnectBound, QtTcpClient::Connecting::InBackground);
  std::string answer;
  background.onData = [&](std::string_view bytes) { answer += bytes; };
  EXPECT_FALSE(background.connect("localhost", port));
  EXPECT_FALSE(background.isConnected());
  background.send("too early");
  ASSERT_TRUE(ProcessEventsUntil([&] { return server.hasPendingConnections(); }));
  QTcpSocket* peer = server.nextPendingConnection();
  ASSERT_TRUE(ProcessEventsUntil([&] { return background.isConnected(); }));
  background.send("query");
  peer->write("1");
  ASSERT_TRUE(ProcessEventsUntil([&] { return answer == "1" && peer->bytesAvailable() > 0; }));
  EXPECT_EQ(peer->readAll().toStdString(), "query") << "nothing sent before the connection";

  EXPECT_FALSE(background.connect("127.0.0.1", ClosedPort()));
  ProcessEventsFor(100);
  EXPECT_FALSE(background.isConnected());
}

}  // namespace
}  // namespace bms::qt
