#pragma once

#include <string>
#include <string_view>

#include "sim/unique_fd.h"

// Loopback TCP sockets, non-blocking, for the event loop.
namespace bms::sim {

// A listening socket on 127.0.0.1:port (0: any free port). Invalid with a message in
// `error` on failure.
UniqueFd ListenLoopback(int port, std::string& error);
// The port a socket is bound to.
int LocalPort(int fd);
// The next waiting connection, non-blocking; invalid when there is none.
UniqueFd AcceptConnection(int listenFd);

enum class IoResult { Done, WouldBlock, Closed };
// Reads what is there into `into` (appending). Closed on end of stream or an error.
IoResult ReadAvailable(int fd, std::string& into);
// Writes as much of the first `limit` bytes of `from` as the peer takes and removes them
// from `from`.
IoResult WriteSome(int fd, std::string& from, std::size_t limit = std::string::npos);

}  // namespace bms::sim
