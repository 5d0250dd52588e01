#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bms::sim {

// One query to the update server: the tool sends its identity and version ending in
// CR LF and expects "1" (a newer release exists) or anything else, then the close.
class UpdateSession {
 public:
  explicit UpdateSession(bool newer) : newer_(newer) {}

  // The answer once the query is complete (its LF arrived, or more bytes than any
  // query has); nothing before that, and nothing after the answer was given.
  std::optional<std::string> Feed(std::string_view bytes);
  // The client closed its side: a query without line end still gets its answer.
  std::optional<std::string> PeerDone();

  const std::string& query() const { return query_; }

 private:
  std::optional<std::string> Answer();

  static constexpr std::size_t kMaxQueryBytes = 256;
  bool newer_;
  bool answered_ = false;
  std::string query_;
};

}  // namespace bms::sim
