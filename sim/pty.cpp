#include "sim/pty.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace bms::sim {

namespace {

bool Fail(std::string& error, const std::string& what) {
  error = what + ": " + std::strerror(errno);
  return false;
}

}  // namespace

bool PseudoTerminal::Open(const std::string& linkPath, std::string& error) {
  Close();
  UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK));
  if (!master.valid()) return Fail(error, "posix_openpt");
  if (::grantpt(master.get()) != 0 || ::unlockpt(master.get()) != 0) {
    return Fail(error, "grantpt/unlockpt");
  }
  const char* name = ::ptsname(master.get());
  if (name == nullptr) return Fail(error, "ptsname");
  std::string device = name;

  // Raw mode set through the master applies to the device side.
  termios settings{};
  if (::tcgetattr(master.get(), &settings) == 0) {
    ::cfmakeraw(&settings);
    ::tcsetattr(master.get(), TCSANOW, &settings);
  }
  // Opening and closing the device once makes the master report a hang-up until the
  // next program opens it, which is how PeerOpen() tells whether anyone listens.
  {
    UniqueFd device_fd(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
    if (!device_fd.valid()) return Fail(error, "open " + device);
  }

  struct stat existing {};
  if (::lstat(linkPath.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      error = linkPath + " exists and is not a symbolic link; not replacing it";
      return false;
    }
  }
  // Made beside the final path and renamed over it, so the link never disappears.
  const std::string temporary = linkPath + ".bmc-sim-new";
  ::unlink(temporary.c_str());
  if (::symlink(device.c_str(), temporary.c_str()) != 0) {
    return Fail(error, "symlink " + temporary);
  }
  if (::rename(temporary.c_str(), linkPath.c_str()) != 0) {
    Fail(error, "rename " + temporary + " to " + linkPath);
    ::unlink(temporary.c_str());
    return false;
  }
  master_ = std::move(master);
  device_ = std::move(device);
  link_ = linkPath;
  return true;
}

void PseudoTerminal::Close() {
  if (!link_.empty()) {
    char target[4096];
    const auto length = ::readlink(link_.c_str(), target, sizeof target - 1);
    if (length >= 0 && std::string(target, static_cast<std::size_t>(length)) == device_) {
      ::unlink(link_.c_str());
    }
    link_.clear();
  }
  master_.reset();
  device_.clear();
}

void PseudoTerminal::DiscardUnread() {
  if (!master_.valid()) return;
  // Bytes for the device wait in its own input queue, which only its side can flush.
  {
    UniqueFd device_fd(::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
    if (device_fd.valid()) ::tcflush(device_fd.get(), TCIFLUSH);
  }
  ::tcflush(master_.get(), TCIFLUSH);
}

bool PseudoTerminal::PeerOpen() const {
  if (!master_.valid()) return false;
  pollfd probe{master_.get(), POLLIN, 0};
  if (::poll(&probe, 1, 0) < 0) return false;
  return (probe.revents & POLLHUP) == 0;
}

}  // namespace bms::sim
