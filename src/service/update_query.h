#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/context.h"

namespace bms::service {

// Where the tool asks whether a newer release of itself exists.
struct UpdateServer {
  static constexpr int kDefaultPort = 3050;

  std::string host = "update.example.com";
  int port = kDefaultPort;
  friend bool operator==(const UpdateServer&, const UpdateServer&) = default;
};

// "HOST" or "HOST:PORT" (port 1 to 65535); nothing for an empty host, a blank, a second
// colon or a bad port.
std::optional<UpdateServer> ParseUpdateServer(std::string_view text);

// Once per run, paced by the update timer that every successful opening of the link
// starts: connect on the first tick, send the identity on the third, close on the sixth.
// The step count outlives connections, so later ones only stop the timer again. An
// answer of exactly "1" shows the new-version hint; failures are never reported.
class UpdateQuery {
 public:
  // request: the identity line sent to the server, CR LF included.
  UpdateQuery(base::Context& context, base::Timer& timer, UpdateServer server, std::string request);
  UpdateQuery(const UpdateQuery&) = delete;
  UpdateQuery& operator=(const UpdateQuery&) = delete;

  // Takes the timer's ticks and the update client's answers.
  void bind();

 private:
  void onTick();
  void onAnswer(std::string_view bytes);

  base::Context& context_;
  base::Timer& timer_;
  UpdateServer server_;
  std::string request_;
  int step_ = 0;
};

}  // namespace bms::service
