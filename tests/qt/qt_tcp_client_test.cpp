#include "qt/qt_tcp_client.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <string>
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
    client.onData = [this](std::string_view bytes) {
      log += bytes;
      ++blocks;
    };
    client.onClosed = [this] {
      log += "|closed";
      ++closings;
    };
  }

  // The server's side of the connection the client has just made.
  QTcpSocket* accept() {
    if (!ProcessEventsUntil([&] { return server.hasPendingConnections(); })) return nullptr;
    return server.nextPendingConnection();
  }

  static std::string readUntil(QTcpSocket* peer, std::size_t size) {
    std::string bytes;
    ProcessEventsUntil([&] {
      bytes += peer->readAll().toStdString();
      return bytes.size() >= size;
    });
    return bytes;
  }

  QTcpServer server;
  int port = 0;
  QtTcpClient client;
  std::string log;  // received bytes, and "|closed" for each onClosed
  int blocks = 0;
  int closings = 0;
};

TEST_F(QtTcpClientTest, SendsAndReceivesBlocks) {
  ASSERT_TRUE(client.connect("127.0.0.1", port));
  EXPECT_TRUE(client.isConnected());
  QTcpSocket* peer = accept();
  ASSERT_NE(peer, nullptr);

  client.send("T,05F5E100,1,\r\n");
  EXPECT_EQ(readUntil(peer, 15), "T,05F5E100,1,\r\n");

  peer->write("T,05F5");
  ASSERT_TRUE(ProcessEventsUntil([&] { return log.size() == 6; }));
  peer->write("E100,2,\r\n");
  ASSERT_TRUE(ProcessEventsUntil([&] { return log.size() == 15; }));
  EXPECT_EQ(log, "T,05F5E100,2,\r\n");
  EXPECT_EQ(blocks, 2);
}

TEST_F(QtTcpClientTest, ThePeerClosingIsReportedOnceAfterItsLastBytes) {
  ASSERT_TRUE(client.connect("127.0.0.1", port));
  QTcpSocket* peer = accept();
  ASSERT_NE(peer, nullptr);

  peer->write("bye");
  peer->disconnectFromHost();
  ASSERT_TRUE(ProcessEventsUntil([&] { return closings > 0; }));
  ProcessEventsFor(50);
  EXPECT_EQ(log, "bye|closed");
  EXPECT_FALSE(client.isConnected());
  client.send("into the void");

  ASSERT_TRUE(client.connect("127.0.0.1", port));
  EXPECT_NE(accept(), nullptr);
}

TEST_F(QtTcpClientTest, ClosingDeliversWhatWasSentAndIsNotReported) {
  ASSERT_TRUE(client.connect("127.0.0.1", port));
  QTcpSocket* peer = accept();
  ASSERT_NE(peer, nullptr);

  client.send("T,05F5E100,5,\r\n");
  client.close();
  EXPECT_FALSE(client.isConnected());
  ASSERT_TRUE(
      ProcessEventsUntil([&] { return peer->state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(peer->readAll().toStdString(), "T,05F5E100,5,\r\n");
  ProcessEventsFor(50);
  EXPECT_EQ(closings, 0);
}

TEST_F(QtTcpClientTest, AHandlerMayCloseTheConnection) {
  client.onData = [this](std::string_view) {
    ++blocks;
    client.close();
  };
  ASSERT_TRUE(client.connect("127.0.0.1", port));
  QTcpSocket* peer = accept();
  ASSERT_NE(peer, nullptr);
  peer->write("1");
  peer->disconnectFromHost();
  ASSERT_TRUE(ProcessEventsUntil([&] { return blocks > 0; }));
  ProcessEventsFor(50);
  EXPECT_EQ(blocks, 1);
  EXPECT_EQ(closings, 0);
}

TEST_F(QtTcpClientTest, AHostNameIsLookedUp) { EXPECT_TRUE(client.connect("localhost", port)); }

TEST_F(QtTcpClientTest, BadEndpointsFail) {
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
  const int closedPort = closed.serverPort();
  closed.close();
  struct Case {
    std::string host;
    int port;
  };
  for (const auto& c : {
           Case{"127.0.0.1", closedPort},
           Case{"127.0.0.1", 0},
           Case{"127.0.0.1", -1},
           Case{"127.0.0.1", 65536 + port},  // would wrap around to the listening port
           Case{"127.0.0.1", 100000},
           Case{"", port},
       }) {
    EXPECT_FALSE(client.connect(c.host, c.port)) << c.host << ":" << c.port;
    EXPECT_FALSE(client.isConnected());
  }
  ProcessEventsFor(20);
  EXPECT_FALSE(server.hasPendingConnections());
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
  EXPECT_FALSE(bounded.connect("127.0.0.1", ntohs(address.sin_port)));
  EXPECT_FALSE(bounded.isConnected());
  for (int filler : fillers) ::close(filler);
  ::close(listener);
}

}  // namespace
}  // namespace bms::qt
