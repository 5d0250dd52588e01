#include "sim/update_server.h"

namespace bms::sim {

std::optional<std::string> UpdateSession::Feed(std::string_view bytes) {
  if (answered_) return std::nullopt;
  query_ += bytes.substr(0, kMaxQueryBytes - std::min(query_.size(), kMaxQueryBytes));
  if (query_.find('\n') != std::string::npos || query_.size() >= kMaxQueryBytes) return Answer();
  return std::nullopt;
}

std::optional<std::string> UpdateSession::PeerDone() {
  if (answered_ || query_.empty()) return std::nullopt;
  return Answer();
}

std::optional<std::string> UpdateSession::Answer() {
  answered_ = true;
  return std::string(newer_ ? "1" : "0");
}

}  // namespace bms::sim
