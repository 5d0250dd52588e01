#include "sim/net.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace bms::sim {

namespace {

bool SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL, 0);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

UniqueFd ListenLoopback(int port, std::string& error) {
  UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.valid()) {
    error = std::string("socket: ") + std::strerror(errno);
    return {};
  }
  const int on = 1;
  ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd.get(), 16) != 0 || !SetNonBlocking(fd.get())) {
    error = "127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    return {};
  }
  return fd;
}

int LocalPort(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return -1;
  return ntohs(address.sin_port);
}

UniqueFd AcceptConnection(int listenFd) {
  UniqueFd fd(::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
  if (fd.valid()) {
    // Lines are small and each should leave at once, as from a real adapter.
    const int on = 1;
    ::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  }
  return fd;
}

IoResult ReadAvailable(int fd, std::string& into) {
  char buffer[4096];
  // Bounded, so that one client that keeps sending cannot starve the others.
  for (int chunk = 0; chunk < 64; ++chunk) {
    const auto n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<std::size_t>(n));
      if (static_cast<std::size_t>(n) < sizeof buffer) return IoResult::Done;
      continue;
    }
    if (n == 0) return IoResult::Closed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return IoResult::Done;
    return IoResult::Closed;
  }
  return IoResult::Done;
}

IoResult WriteSome(int fd, std::string& from, std::size_t limit) {
  std::size_t written = 0;
  const std::size_t wanted = std::min(limit, from.size());
  const auto done = [&](IoResult result) {
    from.erase(0, written);
    return result;
  };
  while (written < wanted) {
    // write() serves sockets and the terminal alike; the event loop ignores SIGPIPE.
    const auto n = ::write(fd, from.data() + written, wanted - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return done(IoResult::WouldBlock);
    return done(IoResult::Closed);
  }
  return done(IoResult::Done);
}

}  // namespace bms::sim
