#pragma once

#include <string>

#include "sim/unique_fd.h"

namespace bms::sim {

// A pseudo-terminal standing in for a serial port, with a symbolic link at a chosen path
// that points to its device. Its line discipline is raw, so CR and LF pass unchanged.
class PseudoTerminal {
 public:
  // Creates the terminal and the link; a path that exists and is not a symbolic link is
  // never replaced. False with a message in `error` on failure.
  bool Open(const std::string& linkPath, std::string& error);
  // Removes the link if it still points to this terminal, and closes the terminal.
  void Close();
  ~PseudoTerminal() { Close(); }

  int masterFd() const { return master_.get(); }
  const std::string& devicePath() const { return device_; }

  // True while some program has the device open. Before anyone has opened it and after
  // the last one closed it, writes would pile up in the terminal to be read by the next
  // one, so nothing is sent then.
  bool PeerOpen() const;

  // Drops what the last program wrote to us or left unread, so that the next one that
  // opens the device starts with a clean line, as on a real port. Only while nobody has
  // it open.
  void DiscardUnread();

 private:
  UniqueFd master_;
  std::string device_;
  std::string link_;
};

}  // namespace bms::sim
